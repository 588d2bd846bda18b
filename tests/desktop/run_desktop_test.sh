#!/usr/bin/env bash
# Runs the real program on a private desktop of its own and reads it through
# the desktop's accessibility bus, as a screen reader does:
#   run_desktop_test.sh PROGRAM accessibility en|de OUT
#       on an X server (Xvfb): the trees of the room and of the champions
#       window, their names checked in the language, written to OUT
#   run_desktop_test.sh PROGRAM wayland OUT
#       on a headless Weston with Qt's Wayland plugin: the room at the size of
#       the screen, a dialog opened and closed, the program ended by its
#       buttons with status 0 and nothing on its error output
# The program runs from a copy in a temporary folder, which is its data
# folder; the player's folders are temporary too. Prints "SKIPPED:" when a tool
# the test needs is missing (scripts/deps.sh test installs them).
set -euo pipefail

program=$(readlink -f "$1")
mode=$2
here=$(cd "$(dirname "$0")" && pwd)
if [ "$mode" = accessibility ]; then
  language=$3; out=$4
else
  language=en; out=$3
fi

skip() { echo "SKIPPED: $1"; exit 0; }
command -v dbus-run-session >/dev/null || skip "dbus-run-session missing"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core missing"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi missing"
if [ "$mode" = wayland ]; then
  command -v weston >/dev/null || skip "weston missing"
  ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || skip "qt6-wayland missing"
else
  command -v Xvfb >/dev/null || skip "Xvfb missing"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/game" "$work/home" "$work/run"
chmod 700 "$work/run"
cp "$program" "$work/game/Tavoro"
sprache=1000
[ "$language" = de ] && sprache=0
printf '[Optionen]\r\nSprache=%s\r\n' "$sprache" > "$work/game/Tavoro.ini"
mkdir -p "$work/home/.config/Tavoro"
printf '[Start]\nStartedBefore=true\n' > "$work/home/.config/Tavoro/Tavoro.conf"

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/run"
export LANG=C.UTF-8 LC_ALL=C.UTF-8 SDL_AUDIODRIVER=dummy
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY SESSION_MANAGER

if [ "$mode" = wayland ]; then
  weston --backend=headless-backend.so --width=1280 --height=1024 --socket=tavoro-test \
         --idle-time=0 >"$work/weston.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -S "$work/run/tavoro-test" ] && break; sleep 0.1; done
  [ -S "$work/run/tavoro-test" ] || { cat "$work/weston.log"; echo "weston did not start"; exit 1; }
  export WAYLAND_DISPLAY=tavoro-test QT_QPA_PLATFORM=wayland
else
  # The server names its display once it listens; a client then connects
  # before the program is started, since a server that names a display and
  # dies at once (a lock file left by another) has been seen. Up to three
  # servers are tried.
  can_connect() {
    /usr/bin/python3 - "$1" <<'PY'
import ctypes, sys
xcb = ctypes.CDLL("libxcb.so.1")
xcb.xcb_connect.restype = ctypes.c_void_p
xcb.xcb_connection_has_error.argtypes = [ctypes.c_void_p]
xcb.xcb_disconnect.argtypes = [ctypes.c_void_p]
c = xcb.xcb_connect(sys.argv[1].encode(), None)
bad = xcb.xcb_connection_has_error(c)
xcb.xcb_disconnect(c)
sys.exit(1 if bad else 0)
PY
  }
  display=
  for attempt in 1 2 3; do
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
         >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    pids+=($xvfb)
    for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
    if [ -s "$work/display" ] && can_connect ":$(tr -d '\n' <"$work/display")"; then
      display=":$(tr -d '\n' <"$work/display")"
      break
    fi
    echo "== X server $attempt could not be reached =="
    cat "$work/display" "$work/xvfb.log" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
  done
  [ -n "$display" ] || { echo "no X server could be started"; exit 1; }
  export DISPLAY="$display" QT_QPA_PLATFORM=xcb
fi

# A session bus with its accessibility bus; the program and the reader meet
# on it.
dbus-run-session -- bash -c '
  set -u
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  sleep 0.5
  (cd "$0/game" && exec ./Tavoro) 2>"$0/stderr.txt" &
  game=$!
  /usr/bin/python3 "$1/atspi_tree.py" "$2" "$3"
  read_status=$?
  for _ in $(seq 100); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
  if kill -0 $game 2>/dev/null; then
    kill $game; echo "the program did not end"; read_status=1
  fi
  wait $game; game_status=$?
  kill $launcher 2>/dev/null
  echo "program status $game_status" >>"$0/result.txt"
  exit $(( read_status != 0 || game_status != 0 ))
' "$work" "$here" "$( [ "$mode" = wayland ] && echo wayland || echo "$language")" "$out" || status=$?
status=${status:-0}

cat "$out" 2>/dev/null | head -3 || true
if [ -s "$work/stderr.txt" ]; then
  echo "== the program's error output =="
  cat "$work/stderr.txt"
  [ "$mode" = wayland ] && status=1
fi
cat "$work/result.txt" 2>/dev/null || true
exit "$status"
