#!/bin/sh
# Discovery over a LAN of the test's own: a veth pair between this fresh
# network namespace (veth0) and a peer namespace (veth1, 10.77.0.2) where the
# emulator runs its discovery responder. Refuses to run anywhere else.
# Usage: emulator_discovery.sh EMULATOR CLIENT [CLIENT ARGUMENTS...]
# veth0 gets the addresses in QM_LOCAL_ADDRS (blank-separated, all in
# 10.77.0.0/24; default 10.77.0.1). The client runs here with QM_DISCOVERY_LAN=1,
# QM_LOCAL_ADDRS, QM_LOCAL_ADDR (the first of them) and QM_SCANNER_ADDR set.
set -eu
if [ "${IN_TEST_NETNS:-}" != 1 ]; then
  unshare -n true 2>/dev/null || { echo "SKIP: no network namespace"; exit 77; }
  IN_TEST_NETNS=1 exec unshare -n sh "$0" "$@"
fi
[ "$(ip -o link show | wc -l)" -eq 1 ] || { echo "not a fresh network namespace: refusing to run"; exit 1; }
EMULATOR=$1
CLIENT=$2
shift 2
LOCAL_ADDRS=${QM_LOCAL_ADDRS:-10.77.0.1}
ip link set lo up
ip link add veth0 type veth peer name veth1
FIRST=
for a in $LOCAL_ADDRS; do
  ip addr add "$a/24" brd + dev veth0
  FIRST=${FIRST:-$a}
done
ip link set veth0 up
unshare -n sleep 60 &
PEER=$!
OUT=$(mktemp -d)
EMU_PID=
cleanup() {
  [ -n "$EMU_PID" ] && kill "$EMU_PID" 2>/dev/null
  kill "$PEER" 2>/dev/null
  rm -rf "$OUT"
}
trap cleanup EXIT
sleep 0.2
ip link set veth1 netns "$PEER"
nsenter -t "$PEER" -n sh -c 'ip link set lo up; ip addr add 10.77.0.2/24 brd + dev veth1; ip link set veth1 up'
nsenter -t "$PEER" -n "$EMULATOR" --host 10.77.0.2 --discovery --boot-pause 300 >"$OUT/out" 2>"$OUT/err" &
EMU_PID=$!
i=0
until grep -q '^Ready' "$OUT/out"; do
  i=$((i + 1))
  if [ "$i" -gt 100 ] || ! kill -0 "$EMU_PID" 2>/dev/null; then
    echo "emulator did not start"; cat "$OUT/out" "$OUT/err"; exit 1
  fi
  sleep 0.1
done
status=0
QM_DISCOVERY_LAN=1 QM_LOCAL_ADDRS="$LOCAL_ADDRS" QM_LOCAL_ADDR=$FIRST QM_SCANNER_ADDR=10.77.0.2 "$CLIENT" "$@" || status=$?
if [ "$status" -ne 0 ]; then echo "--- emulator log"; cat "$OUT/err"; fi
exit "$status"
