#!/usr/bin/env bash
# The port under Wine on COM6, mapped to a Linux pseudo-terminal whose far end
# echoes every byte (socat and cat): the probe's cases, then the far end going
# away under an open port.
#   port-on-terminal.sh WINE_STATE_DIR PORT_PROBE_EXE
set -euo pipefail
wine_run=$(dirname "$0")/wine-run
state=$1
probe=$2
scratch=$(mktemp -d)
socat pty,raw,echo=0,link="$scratch/tty" exec:cat &
echo_pid=$!
# The wine server goes before the terminal: it would report the hang-up
# without end.
trap '"$wine_run" "$state" --stop; kill $echo_pid 2>/dev/null || true; wait; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do [ -e "$scratch/tty" ] && break; sleep 0.05; done
# Held open here, the terminal outlives each close of the port, which would
# otherwise hang it up and end socat.
exec 3<>"$scratch/tty"
# The mapping takes effect when the wine server starts.
"$wine_run" "$state" reg add 'HKLM\Software\Wine\Ports' /v COM6 /d "$scratch/tty" /f >/dev/null
"$wine_run" "$state" --start

# run_probe LOG [ARGUMENT...]: in the background; a read that Wine never
# ends would hang it, so it gets a minute.
run_probe() {
  KAVEL_PROBE_PORT=COM6 timeout 60 "$wine_run" "$state" "$probe" "${@:2}" >"$1" 2>&1 &
  probe_pid=$!
}
# passed LOG: Wine may end a program that never ran with status 0, so
# GoogleTest's own summary decides.
passed() {
  local status=0
  wait "$probe_pid" || status=$?
  cat "$1"
  [ "$status" -eq 0 ] && grep -q '^\[  PASSED  \]' "$1" && ! grep -q '^\[  FAILED  \]' "$1"
}

run_probe "$scratch/cases.log"
passed "$scratch/cases.log"
run_probe "$scratch/hang-up.log" --gtest_also_run_disabled_tests --gtest_filter='*FarEndGone*'
for _ in $(seq 200); do grep -q "port open" "$scratch/hang-up.log" && break; sleep 0.05; done
exec 3>&-
kill "$echo_pid"
passed "$scratch/hang-up.log"
