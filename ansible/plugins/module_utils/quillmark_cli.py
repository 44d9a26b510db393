# -*- coding: utf-8 -*-
"""Running quillmark-cli for the modules of this collection.

The tool prints JSON on standard output with ``--json`` and its messages on
standard error. Exit status 0 means success or equal, 1 differences or
problems found, 2 a usage error (bad address, missing or damaged file) and
3 a link failure (no answer, refused, lost, a write the scanner rejected).
"""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import json
import os

EQUAL = 0
DIFFERS = 1

# The modules' own texts, in the tool's two languages.
TEXTS = {
    'not_executable': ('%s: not an executable file', '%s: 不是可执行文件'),
    'no_json': ('%s printed no JSON (exit status %d)', '%s 没有输出 JSON (退出状态 %d)'),
    'failed': ('%s failed with exit status %d', '%s 失败, 退出状态 %d'),
}

# Common options of every module.
COMMON_OPTIONS = dict(
    cli=dict(type='str', default='quillmark-cli'),
    lang=dict(type='str', default='en', choices=['en', 'zh']),
)


def text(module, key):
    """One of TEXTS in the module's language."""
    return TEXTS[key][1 if module.params['lang'] == 'zh' else 0]


def tool_path(module):
    """The tool the ``cli`` option names: a path, or a name looked up on PATH."""
    cli = module.params['cli']
    if os.sep not in cli:
        return module.get_bin_path(cli, required=True)
    if not (os.path.isfile(cli) and os.access(cli, os.X_OK)):
        module.fail_json(msg=text(module, 'not_executable') % cli, changed=False)
    return cli


def run(module, tool, args, ok=(EQUAL,)):
    """Runs the tool with the module's language and args, returns (status, JSON).

    Any exit status outside ok fails the task, never as changed, with the
    tool's message, its status and whatever JSON it printed.
    """
    cmd = [tool, '--lang', module.params['lang']] + list(args)
    # The tool writes in the locale's encoding: make it UTF-8, whatever the host's.
    rc, out, err = module.run_command(cmd, environ_update={'LC_ALL': 'C.UTF-8'})
    try:
        parsed = json.loads(out)
    except ValueError:
        parsed = None
    if rc not in ok:
        result = dict(parsed) if isinstance(parsed, dict) else {}
        result.update(msg=err.strip() or text(module, 'failed') % (os.path.basename(tool), rc),
                      rc=rc, cmd=cmd, stdout=out, stderr=err, changed=False)
        module.fail_json(**result)
    if not isinstance(parsed, dict):
        module.fail_json(msg=text(module, 'no_json') % (os.path.basename(tool), rc), rc=rc, cmd=cmd,
                         stdout=out, stderr=err, changed=False)
    return rc, parsed
