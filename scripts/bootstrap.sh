#!/usr/bin/env bash
# One-step set-up for a fresh Debian 12 machine.
#   scripts/bootstrap.sh run    install what is missing, build, start the simulator
#   scripts/bootstrap.sh test   install what is missing, build with sanitizers, run every test
# Run as root or through sudo. Safe to run again: installs only what is missing.
set -euo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MODE="${1:-run}"
JOBS="$(nproc 2>/dev/null || echo 4)"

PACKAGES=(
  qtbase5-dev qtbase5-dev-tools libasio-dev picojson-dev
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev tzdata
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    local SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

configure_and_build() { # dir, extra cmake args...
  local dir="$1"; shift
  cmake -S "$HERE" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

case "$MODE" in
  run)
    install_missing
    configure_and_build "$HERE/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUNO_TESTS=OFF
    EXE="$HERE/build/release/app/zuno-terminal"
    if [ ! -x "$EXE" ]; then
      echo "== built the libraries under build/release; the window is not part of this build yet"
      exit 0
    fi
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "== built $EXE"
      echo "== no display on this machine (DISPLAY and WAYLAND_DISPLAY are unset): the window cannot open here."
      echo "   Start it on a desktop with: $EXE"
      exit 0
    fi
    exec "$EXE"
    ;;
  test)
    install_missing
    export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 TZ=UTC
    configure_and_build "$HERE/build/asan" -DCMAKE_BUILD_TYPE=Debug -DZUNO_SANITIZE=address
    ctest --test-dir "$HERE/build/asan" --output-on-failure -j "$JOBS"
    # The threaded parts once more under ThreadSanitizer.
    TSAN_DIRS="connection;app"
    configure_and_build "$HERE/build/tsan" -DCMAKE_BUILD_TYPE=Debug -DZUNO_SANITIZE=thread \
      -DZUNO_BENCH=OFF "-DZUNO_TEST_ONLY=$TSAN_DIRS"
    if [ -n "$(ctest --test-dir "$HERE/build/tsan" -N | grep -E '^ +Test +#')" ]; then
      ctest --test-dir "$HERE/build/tsan" --output-on-failure -j "$JOBS"
    fi
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
