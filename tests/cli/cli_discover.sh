#!/bin/sh
# Run by tests/tools/emulator_discovery.sh inside its own LAN: quillmark-cli
# discover must list the emulator it finds there, and a search that nobody
# answers must say so with status 1.
# Usage: cli_discover.sh QUILLMARK_CLI
set -u
[ "${QM_DISCOVERY_LAN:-}" = 1 ] || { echo "run only by emulator_discovery.sh"; exit 1; }
CLI=$1
out=$("$CLI" discover --seconds 2) || { echo "discover failed: $out"; exit 1; }
echo "$out"
echo "$out" | grep -q "^tcp:$QM_SCANNER_ADDR  " || { echo "tcp:$QM_SCANNER_ADDR not listed"; exit 1; }
[ "$(echo "$out" | wc -l)" -eq 1 ] || { echo "one scanner, one line"; exit 1; }
# Loopback is never searched: with the LAN down, nothing answers.
ip link set veth0 down
"$CLI" --lang zh discover --seconds 1 2>/tmp/cli_discover_err.$$
status=$?
grep -q "没有扫描仪应答" /tmp/cli_discover_err.$$ || { cat /tmp/cli_discover_err.$$; rm -f /tmp/cli_discover_err.$$; exit 1; }
rm -f /tmp/cli_discover_err.$$
[ "$status" -eq 1 ] || { echo "status $status when nothing answered"; exit 1; }
echo "ok"
