#!/usr/bin/python
# -*- coding: utf-8 -*-
"""Ansible module quillmark.scanner.config: a scanner holds a project file's configuration."""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: config
short_description: A laser area scanner holds the configuration of a project file
description:
  - Compares the scanner's whole configuration (parameters, case table, the 64 areas) with a project
    file through C(quillmark-cli diff), and writes the file through C(quillmark-cli upload) only when
    anything differs, so a second run changes nothing.
  - Arcs count as the scanner stores them (whole degrees) and polygon points in angular order, as the
    tool compares them.
  - In check mode it reads the scanner and reports what would change, writing nothing.
  - With C(--diff) the differences are shown as before (the scanner) and after (the file).
  - A failure (bad address, missing or damaged file, a file the link cannot send, no answer, a
    rejected write, a read-back that differs) fails the task with the tool's message and exit status,
    never as changed.
version_added: 1.0.0
author: Quillmark developers
requirements:
  - quillmark-cli on the host that runs the module
options:
  scanner:
    description:
      - The scanner in the tool's syntax, C(tcp:HOST[:PORT]), C(udp:HOST[:PORT]) or C(serial:DEVICE[@BAUD]).
    type: str
    required: true
  src:
    description:
      - The project file (.VQ05, .VQ10, .VQ20, .VQ30 or .VQ50) on the host that runs the module.
    type: path
    required: true
  reboot:
    description:
      - After a write, restart the scanner and wait until it answers again, so that written parameters
        take effect.
    type: bool
    default: false
  verify:
    description:
      - After a write, read everything back and compare; a difference fails the task.
    type: bool
    default: true
  cli:
    description:
      - The tool, a path or a name looked up on PATH.
    type: str
    default: quillmark-cli
  lang:
    description:
      - Language of the messages.
    type: str
    choices: [en, zh]
    default: en
attributes:
  check_mode:
    support: full
  diff_mode:
    support: full
notes:
  - With C(ansible_connection=local) one inventory host per scanner drives the scanners from the
    controller; on a vehicle's own computer (a serial scanner) the project file must be there first.
'''

EXAMPLES = r'''
- name: Forklift 12's front scanner holds its project
  quillmark.scanner.config:
    scanner: tcp:10.20.12.11
    src: /srv/quillmark/forklift-front.VQ30

- name: A serial scanner, restarted after a write
  quillmark.scanner.config:
    scanner: serial:/dev/ttyUSB0@576000
    src: /var/lib/quillmark/tugger-rear.VQ20
    reboot: true
    lang: zh
'''

RETURN = r'''
changed:
  description: Whether the scanner was written (in check mode, whether it would be).
  returned: always
  type: bool
differences:
  description:
    - The differences the scanner (C(a)) had from the file (C(b)), as C(quillmark-cli diff --json) lists
      them, before any write; empty when equal.
  returned: success
  type: list
  elements: dict
  sample: [{"type": "parameter", "name": "RS485 ID(1-127)", "a": "18", "b": "17"}]
fingerprint_before:
  description: The configuration fingerprint of the scanner before any write (16 hex digits).
  returned: success
  type: str
  sample: 55456ef68cd9e792
fingerprint:
  description: The fingerprint of the file, which the scanner holds after the task (or would, in check mode).
  returned: success
  type: str
  sample: ad1e72349294afcc
rc:
  description: The tool's exit status of the command that failed.
  returned: failed
  type: int
  sample: 3
msg:
  description: The tool's message on a failure.
  returned: failed
  type: str
  sample: "quillmark-cli: tcp:10.20.12.11:8080: no answer after the retries"
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.quillmark.scanner.plugins.module_utils.quillmark_cli import (
    COMMON_OPTIONS, DIFFERS, EQUAL, run, tool_path)

# One difference as a line of one side, as the tool writes them: (English, Chinese).
LINES = {
    'class': ('device class: {v}', '设备类型: {v}'),
    'parameter': ('parameter {name}: {v}', '参数 {name}: {v}'),
    'case': ('case row {area}, {name}: {v}', '工况 {area}, {name}: {v}'),
    'area': ('area {area}, {name}: {v}', '区域 {area}, {name}: {v}'),
    'kind': ('area {area}, {output}: kind {v}', '区域 {area} 的 {output}: 类型 {v}'),
    'count': ('area {area}, {output}: {v} points', '区域 {area} 的 {output}: {v} 个点'),
    'point': ('area {area}, {output}, point {point}: {v}', '区域 {area} 的 {output} 第 {point} 点: {v}'),
}
FINGERPRINT = ('fingerprint: {v}', '配置指纹: {v}')


def side_text(compared, side, zh):
    """The configuration of one side ('a' the scanner, 'b' the file) as the lines it differs in.

    Each difference gives one line on each side, so a unified diff of the two
    texts pairs them as removed and added lines.
    """
    lines = [FINGERPRINT[zh].format(v=compared[side].get('fingerprint') or '-')]
    for d in compared.get('differences', []):
        value = d.get(side)
        if isinstance(value, list):
            value = '(%d, %d)' % tuple(value)
        fields = dict(d, v=value)
        lines.append(LINES[d['type']][zh].format(**fields))
    return '\n'.join(lines) + '\n'


def main():
    """Compares, and writes only when the scanner differs from the file."""
    module = AnsibleModule(
        argument_spec=dict(
            scanner=dict(type='str', required=True),
            src=dict(type='path', required=True),
            reboot=dict(type='bool', default=False),
            verify=dict(type='bool', default=True),
            **COMMON_OPTIONS),
        supports_check_mode=True,
    )
    scanner = module.params['scanner']
    src = module.params['src']
    tool = tool_path(module)

    # The file first: one the link cannot send fails before the scanner is asked, in check mode too.
    rc, checked = run(module, tool, ['check', src, '--json'], ok=(EQUAL, DIFFERS))
    if rc == DIFFERS:
        module.fail_json(msg='\n'.join(checked.get('problems', [])), rc=rc, problems=checked.get('problems', []),
                         changed=False)

    rc, compared = run(module, tool, ['diff', scanner, src, '--json'], ok=(EQUAL, DIFFERS))
    result = dict(
        changed=rc == DIFFERS,
        differences=compared.get('differences', []),
        fingerprint_before=compared['a'].get('fingerprint'),
        fingerprint=compared['b'].get('fingerprint'),
    )
    if rc == DIFFERS and module._diff:
        zh = int(module.params['lang'] == 'zh')
        result['diff'] = dict(before=side_text(compared, 'a', zh), after=side_text(compared, 'b', zh),
                              before_header=scanner, after_header=src)
    if rc == EQUAL or module.check_mode:
        module.exit_json(**result)

    upload = ['upload', src, scanner, '--json']
    if module.params['verify']:
        upload.append('--verify')
    if module.params['reboot']:
        upload.append('--reboot')
    run(module, tool, upload)
    module.exit_json(**result)


if __name__ == '__main__':
    main()
