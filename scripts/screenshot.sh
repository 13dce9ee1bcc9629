#!/usr/bin/env bash
# Makes docs/window.png again: the main window logged in against the scripted
# test platform, sending its flow, on a virtual X server. Run it after a change
# to the window, from anywhere in the checkout, as yourself or as root (it
# installs what is missing the way scripts/bootstrap.sh does, asking sudo for
# the packages only). Not a test.
#   scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ "${1:-}" = "--inside" ]; then
  # On the virtual display: start the window, wait until it shows the
  # traffic, take the picture of its place on the screen.
  SHOT="$2" OUT="$3"
  READY="$(mktemp -u)"
  "$SHOT" "$READY" &
  PID=$!
  for _ in $(seq 600); do
    [ -s "$READY" ] && break
    kill -0 "$PID" 2>/dev/null || { echo "== the window ended before its picture" >&2; exit 1; }
    sleep 0.1
  done
  [ -s "$READY" ] || { kill "$PID"; echo "== the window never got ready" >&2; exit 1; }
  sleep 0.5 # the last paint
  import -window root -crop "$(cat "$READY")" +repage "$OUT"
  kill "$PID"
  wait "$PID" || true
  rm -f "$READY"
  exit 0
fi

OUT="$(realpath -m "${1:-$HERE/docs/window.png}")"
# shellcheck source=bootstrap.sh
source "$HERE/scripts/bootstrap.sh"
PACKAGES+=(xvfb xauth imagemagick)
run_as_caller "$HERE/scripts/screenshot.sh" "$@"
install_missing

DIR="$HERE/build/screenshot"
check_build_folder "$DIR"
cmake -S "$HERE" -B "$DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZUNO_BENCH=OFF >/dev/null
cmake --build "$DIR" -j "$JOBS" --target window_shot

mkdir -p "$(dirname "$OUT")"
RAW="$(mktemp --suffix=.png)"
LC_ALL=C.UTF-8 TZ=UTC QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside "$DIR/tests/screenshot/window_shot" "$RAW"
# A small file: the palette of a few hundred colours is plenty for a window.
convert "$RAW" -strip -colors 256 "PNG8:$OUT"
rm -f "$RAW"
echo "== wrote $OUT"
