#!/usr/bin/env bash
# The simulated testers of the window tests under Wine: tester-sim-service, a
# Linux process beside Wine, and the COM names the tests use mapped by Wine to
# links in STATE_DIR/ports that the service points at a test's tester.
#   tester-service.sh start WINE_STATE_DIR TESTER_SIM_SERVICE
#   tester-service.sh stop WINE_STATE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state=$(cd "$2" && pwd)
stop() {
  [ -f "$state/tester-service.pid" ] && kill "$(cat "$state/tester-service.pid")" 2>/dev/null
  rm -f "$state/tester-service.pid" "$state/tester-service.port"
}

case "$1" in
  start)
    stop || true
    mkdir -p "$state/ports"
    for name in COM1 COM2 COM3 COM12; do
      "$here/wine-run" "$state" reg add 'HKLM\Software\Wine\Ports' /v "$name" \
        /d "$state/ports/$name" /f >/dev/null
    done
    # The mapping takes effect when the wine server starts.
    "$here/wine-run" "$state" --start
    setsid "$3" "$state/tester-service.port" "$state/ports" </dev/null >/dev/null 2>&1 &
    echo $! >"$state/tester-service.pid"
    for _ in $(seq 100); do [ -f "$state/tester-service.port" ] && break; sleep 0.05; done
    [ -f "$state/tester-service.port" ] && echo "tester service on port $(cat "$state/tester-service.port")"
    ;;
  stop)
    # The wine server goes before the testers' terminals do.
    "$here/wine-run" "$state" --stop
    stop
    echo "tester service stopped"
    ;;
esac
