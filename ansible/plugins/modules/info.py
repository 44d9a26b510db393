#!/usr/bin/python
# -*- coding: utf-8 -*-
"""Ansible module quillmark.scanner.info: what a scanner is and which configuration it holds."""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: info
short_description: Product information, parameters and configuration fingerprint of a laser area scanner
description:
  - Reads the scanner's whole configuration through C(quillmark-cli info --json) and returns its product
    information, its parameters as the sensor dock names and shows them, and the configuration's
    fingerprint, for inventories and audits. Changes nothing.
  - A failure (bad address, no answer, a lost connection) fails the task with the tool's message and
    exit status.
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
  cli:
    description:
      - The tool, a path or a name looked up on PATH.
    type: str
    default: quillmark-cli
  lang:
    description:
      - Language of the messages and of the parameter names.
    type: str
    choices: [en, zh]
    default: en
attributes:
  check_mode:
    support: full
'''

EXAMPLES = r'''
- name: Which configuration each scanner holds
  quillmark.scanner.info:
    scanner: "{{ scanner }}"
  register: held

- name: Scanners whose configuration is not the released one
  ansible.builtin.debug:
    msg: "{{ inventory_hostname }}: {{ held.fingerprint }}, firmware {{ held.product.firmware }}"
  when: held.fingerprint != released_fingerprint
'''

RETURN = r'''
product:
  description: The product information the scanner reports.
  returned: success
  type: dict
  sample: {"type": 9, "name": "VQxxxx-ETH", "firmware": "1.05", "serial": 4711, "produced": "2024-05-20"}
parameters:
  description: The parameters by the sensor dock's names (in the module's language), valued as it shows them.
  returned: success
  type: dict
  sample: {"RS485 ID(1-127)": "17", "Install Dir": "0 (Forward)", "IP Address": "192.168.1.77"}
fingerprint:
  description: The configuration's fingerprint, 16 hex digits; null when the link could not send it back.
  returned: success
  type: str
  sample: ad1e72349294afcc
sha256:
  description: The whole SHA-256 the fingerprint begins.
  returned: success
  type: str
refused:
  description: Why there is no fingerprint.
  returned: when fingerprint is null
  type: str
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.quillmark.scanner.plugins.module_utils.quillmark_cli import COMMON_OPTIONS, run, tool_path


def main():
    """Reads the scanner and returns what the tool reports about it."""
    module = AnsibleModule(
        argument_spec=dict(scanner=dict(type='str', required=True), **COMMON_OPTIONS),
        supports_check_mode=True,
    )
    facts = run(module, tool_path(module), ['info', module.params['scanner'], '--json'])[1]
    facts.update(changed=False)
    module.exit_json(**facts)


if __name__ == '__main__':
    main()
