#!/usr/bin/env bash
# The tests' wine session.
#   wine-session.sh start PREFIX   creates the prefix, keeps its wineserver
#                                  running, and links COM12 and COM13 of the
#                                  prefix to the two ends of a pair of
#                                  pseudo-terminals joined by socat
#   wine-session.sh stop PREFIX    ends all of it
# A program that opens COM12 talks to whatever opens COM13: the serial tests
# play the instrument there (TERVAN_TEST_COM_PAIR=COM12,COM13).
set -euo pipefail
command=$1
export WINEPREFIX=$2
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
run="$WINEPREFIX/run"

stop() {
  if [ -f "$run/socat.pid" ]; then
    kill "$(cat "$run/socat.pid")" 2>/dev/null || true
    rm -f "$run/socat.pid"
  fi
  wineserver -k >/dev/null 2>&1 || true
}

case "$command" in
  start)
    stop
    mkdir -p "$run"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wine wineboot --init </dev/null >/dev/null 2>&1
      wineserver -w
    fi
    # Debian's wine leaves its own fonts out of a new prefix: without them
    # the title bars' buttons (Marlett) are drawn as letters.
    if [ -d /usr/share/wine/fonts ]; then
      ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    # Everything left running lets go of the test's output, or ctest would
    # wait for it: the server, and the services that the first program of a
    # session starts.
    wineserver -p </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1
    rm -f "$run/com-a" "$run/com-b"
    setsid socat pty,raw,echo=0,link="$run/com-a" pty,raw,echo=0,link="$run/com-b" \
      </dev/null >/dev/null 2>"$run/socat.log" &
    echo $! >"$run/socat.pid"
    for _ in $(seq 50); do
      [ -e "$run/com-a" ] && [ -e "$run/com-b" ] && break
      sleep 0.1
    done
    ln -sfn "$(readlink -f "$run/com-a")" "$WINEPREFIX/dosdevices/com12"
    ln -sfn "$(readlink -f "$run/com-b")" "$WINEPREFIX/dosdevices/com13"
    ;;
  stop)
    stop
    rm -f "$WINEPREFIX/dosdevices/com12" "$WINEPREFIX/dosdevices/com13"
    ;;
  *)
    echo "usage: $0 start|stop PREFIX" >&2
    exit 64
    ;;
esac
