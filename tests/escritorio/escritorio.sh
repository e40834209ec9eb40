#!/usr/bin/env bash
# Runs one test program on a desktop of its own: a virtual X server on a free
# display, a window manager on it, and the program under the xcb platform, so
# focus, activation and the pointer behave as they do for a user.
# usage: escritorio.sh PROGRAM [ARGS...]
set -u
for p in Xvfb openbox xprop; do
  command -v "$p" >/dev/null || { echo "missing $p: run scripts/deps.sh as root" >&2; exit 1; }
done
tmp=$(mktemp -d)
xvfb=; wm=
terminar() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap terminar EXIT
trap 'exit 1' INT TERM

# The server picks a free display itself and writes its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/pantalla" >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
esperar() {  # esperar SECONDS COMMAND...: polls until COMMAND succeeds
  local fin=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -lt $fin ] || return 1
    sleep 0.05
  done
}
# The number is whole once its line ends; then the server must answer.
linea() { [ "$(wc -l < "$tmp/pantalla")" -ge 1 ]; }
esperar 30 linea || { echo "Xvfb did not start" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$tmp/pantalla")"
responde() { xprop -root >/dev/null 2>&1; }
esperar 30 responde || { echo "Xvfb does not answer on $DISPLAY" >&2; exit 1; }

export HOME="$tmp" XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache"
export XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wm=$!
gestor() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
esperar 30 gestor || { echo "openbox did not start" >&2; cat "$tmp/openbox.log" >&2; exit 1; }

export QT_QPA_PLATFORM=xcb
"$@"
