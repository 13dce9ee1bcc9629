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
  fonts-dejavu-core fonts-wqy-microhei
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

# Sourced (scripts/screenshot.sh): the settings and functions above only.
if [[ "${BASH_SOURCE[0]}" != "$0" ]]; then return 0; fi

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

    # A short libFuzzer run over every decoder (clang, ASan + UBSan).
    FUZZ_SECONDS="${ZUNO_FUZZ_SECONDS:-60}"
    CC=clang CXX=clang++ configure_and_build "$HERE/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZUNO_SANITIZE=address -DZUNO_TESTS=OFF -DZUNO_BENCH=OFF -DZUNO_FUZZ=ON
    CORPUS="$HERE/build/fuzz/corpus"
    mkdir -p "$CORPUS"
    "$HERE/build/fuzz/tests/fuzz/write_fuzz_seeds" "$HERE/build/fuzz/tests/fuzz/seeds.txt" "$CORPUS"
    echo "== fuzzing every decoder for ${FUZZ_SECONDS}s"
    if ! "$HERE/build/fuzz/tests/fuzz/decode_fuzz" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
        -artifact_prefix="$HERE/build/fuzz/" "$CORPUS" > "$HERE/build/fuzz/fuzz.log" 2>&1; then
      cat "$HERE/build/fuzz/fuzz.log"
      echo "== the fuzzer found a fault; the input is saved under build/fuzz/" >&2
      exit 1
    fi
    tail -n 12 "$HERE/build/fuzz/fuzz.log"

    # The threaded parts under ThreadSanitizer.
    TSAN_DIRS="render;connection;app"
    configure_and_build "$HERE/build/tsan" -DCMAKE_BUILD_TYPE=Debug -DZUNO_SANITIZE=thread \
      -DZUNO_BENCH=OFF "-DZUNO_TEST_ONLY=$TSAN_DIRS"
    if ctest --test-dir "$HERE/build/tsan" -N | grep -qE '^ +Test +#'; then
      echo "== ThreadSanitizer run"
      ctest --test-dir "$HERE/build/tsan" --output-on-failure -j "$JOBS"
    fi

    # Every test under AddressSanitizer and UndefinedBehaviorSanitizer.
    configure_and_build "$HERE/build/asan" -DCMAKE_BUILD_TYPE=Debug -DZUNO_SANITIZE=address
    echo "== AddressSanitizer + UndefinedBehaviorSanitizer run"
    ctest --test-dir "$HERE/build/asan" --output-on-failure -j "$JOBS"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
