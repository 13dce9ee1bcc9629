#!/usr/bin/env bash
# One-step set-up for a fresh Debian 12 machine.
#   scripts/bootstrap.sh run    install what is missing, build, start the simulator
#   scripts/bootstrap.sh test   install what is missing, build with sanitizers, run every test
#                               (AddressSanitizer, then ThreadSanitizer, then a short fuzz pass)
#   scripts/bootstrap.sh fuzz [SECONDS]
#                               install what is missing, build the fuzz targets and run each
#                               for SECONDS (default 60); stops at the first finding
# Run it as yourself (it asks sudo only to install missing packages) or in a
# root shell; what it builds belongs to whoever runs it, and started through
# sudo it builds as the user who called sudo. Safe to run again: installs only
# what is missing. JOBS=N sets the number of parallel build and test jobs
# (default: every core).
set -euo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MODE="${1:-run}"
JOBS="${JOBS:-$(nproc 2>/dev/null || echo 4)}"

PACKAGES=(
  qtbase5-dev qtbase5-dev-tools libasio-dev picojson-dev
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev tzdata
  fonts-dejavu-core fonts-wqy-microhei fonts-noto-cjk qttranslations5-l10n
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
    local SUDO=()
    if [ "$(id -u)" -ne 0 ]; then
      if ! command -v sudo >/dev/null 2>&1; then
        echo "== these packages are missing and installing them needs root: ${missing[*]}" >&2
        echo "   install them as root (apt-get install ${missing[*]}), or run this script in a root shell" >&2
        exit 1
      fi
      SUDO=(sudo DEBIAN_FRONTEND=noninteractive)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${SUDO[@]}" apt-get update -qq
    "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Started as `sudo bash scripts/bootstrap.sh ...`: the packages are installed
# as root, everything else runs as the user who called sudo, so that the build
# and the folders the program writes (conf/ and logs/ beside it) are theirs.
run_as_caller() { # script, its arguments...
  local script="$1"; shift
  if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    install_missing
    exec sudo -u "$SUDO_USER" -H env "JOBS=$JOBS" ${ZUNO_FUZZ_SECONDS:+"ZUNO_FUZZ_SECONDS=$ZUNO_FUZZ_SECONDS"} \
      ${DISPLAY:+"DISPLAY=$DISPLAY"} ${WAYLAND_DISPLAY:+"WAYLAND_DISPLAY=$WAYLAND_DISPLAY"} \
      ${XAUTHORITY:+"XAUTHORITY=$XAUTHORITY"} bash "$script" "$@"
  fi
}

# A build folder left by another user (an earlier run as root, say) cannot be
# written: say so instead of failing half-way through the build.
check_build_folder() { # dir
  local dir="$1"
  if [ -e "$dir" ] && { [ ! -w "$dir" ] || [ -n "$(find "$dir" ! -writable -print -quit 2>/dev/null)" ]; }; then
    echo "== $dir belongs to another user (made by an earlier run as root?) and cannot be written." >&2
    echo "   Remove it once (sudo rm -rf '$dir') and run this again." >&2
    exit 1
  fi
}

# Configures quietly; when configuring fails, shows what it said.
configure() { # dir, extra cmake args...
  local dir="$1"; shift
  local log
  log="$(mktemp)"
  if ! cmake -S "$HERE" -B "$dir" -G Ninja "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "== configuring $dir failed" >&2
    return 1
  fi
  rm -f "$log"
}

configure_and_build() { # dir, extra cmake args...
  local dir="$1"; shift
  check_build_folder "$dir"
  configure "$dir" "$@"
  cmake --build "$dir" -j "$JOBS"
}

FUZZ_TARGETS=(decode user_path module model mqtt)

# The dictionary of each fuzz target.
fuzz_dict() {
  case "$1" in
    model) echo "$HERE/tests/fuzz/model.dict" ;;
    mqtt) echo "$HERE/tests/fuzz/mqtt.dict" ;;
    *) echo "$HERE/tests/fuzz/frames.dict" ;;
  esac
}

# Builds the fuzz targets (clang, ASan + UBSan) in build/fuzz and runs each for
# $1 seconds. The corpus of a target grows in build/fuzz/corpus/<target> from
# the seeds and the kept findings; a finding stops the run with its input
# saved as build/fuzz/<target>-crash-... (or -timeout-, -leak-, -oom-).
run_fuzzers() {
  local seconds="$1" dir="$HERE/build/fuzz"
  check_build_folder "$dir"
  CC=clang CXX=clang++ configure "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZUNO_SANITIZE=address -DZUNO_TESTS=OFF -DZUNO_BENCH=OFF -DZUNO_FUZZ=ON -DZUNO_WERROR=ON
  cmake --build "$dir" -j "$JOBS" --target write_fuzz_seeds "${FUZZ_TARGETS[@]/%/_fuzz}"
  rm -rf "$dir/seeds"
  "$dir/tests/fuzz/write_fuzz_seeds" "$HERE/tests/fuzz/seeds.txt" "$HERE/conf" "$dir/seeds"
  for t in "${FUZZ_TARGETS[@]}"; do
    local corpus="$dir/corpus/$t" log="$dir/$t.log"
    local inputs=("$dir/seeds/$t")
    if [ -d "$HERE/tests/fuzz/regressions/$t" ]; then inputs+=("$HERE/tests/fuzz/regressions/$t"); fi
    mkdir -p "$corpus"
    echo "== fuzzing $t for ${seconds}s"
    if ! "$dir/tests/fuzz/${t}_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
        -print_final_stats=1 -dict="$(fuzz_dict "$t")" -artifact_prefix="$dir/$t-" \
        "$corpus" "${inputs[@]}" > "$log" 2>&1; then
      tail -n 60 "$log"
      echo "== $t found a fault; its input is saved under build/fuzz/ ($(ls -t "$dir/$t-"* 2>/dev/null | head -n 1))" >&2
      echo "   replay it: build/fuzz/tests/fuzz/${t}_fuzz <that file>" >&2
      return 1
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || tail -n 3 "$log"
  done
}

# Sourced (scripts/screenshot.sh): the settings and functions above only.
if [[ "${BASH_SOURCE[0]}" != "$0" ]]; then return 0; fi

run_as_caller "$HERE/scripts/bootstrap.sh" "$@"

case "$MODE" in
  run)
    install_missing
    configure_and_build "$HERE/build/release" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUNO_TESTS=OFF
    EXE="$HERE/build/release/app/zuno-terminal"
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

    # Every test under AddressSanitizer and UndefinedBehaviorSanitizer, first:
    # what a change broke shows before anything random can hide it.
    configure_and_build "$HERE/build/asan" -DCMAKE_BUILD_TYPE=Debug -DZUNO_SANITIZE=address -DZUNO_WERROR=ON
    echo "== AddressSanitizer + UndefinedBehaviorSanitizer run"
    ctest --test-dir "$HERE/build/asan" --output-on-failure -j "$JOBS"

    # The threaded parts under ThreadSanitizer.
    TSAN_DIRS="render;connection;app"
    configure_and_build "$HERE/build/tsan" -DCMAKE_BUILD_TYPE=Debug -DZUNO_SANITIZE=thread \
      -DZUNO_BENCH=OFF -DZUNO_WERROR=ON "-DZUNO_TEST_ONLY=$TSAN_DIRS"
    # (The list is read whole: grep -q would stop reading at the first match,
    # and under pipefail the cut-off listing would count as no tests at all.)
    TSAN_TESTS="$(ctest --test-dir "$HERE/build/tsan" -N)"
    if grep -qE '^ +Test +#' <<<"$TSAN_TESTS"; then
      echo "== ThreadSanitizer run"
      ctest --test-dir "$HERE/build/tsan" --output-on-failure -j "$JOBS"
    fi

    # Last, a short libFuzzer run of every fuzz target (clang, ASan + UBSan).
    run_fuzzers "${ZUNO_FUZZ_SECONDS:-40}"
    ;;
  fuzz)
    SECONDS_EACH="${2:-60}"
    if ! [[ "$SECONDS_EACH" =~ ^[1-9][0-9]*$ ]]; then
      echo "usage: $0 fuzz [SECONDS]   (whole seconds per target)" >&2
      exit 2
    fi
    install_missing
    export LC_ALL=C.UTF-8 TZ=UTC
    run_fuzzers "$SECONDS_EACH"
    echo "== no finding in ${#FUZZ_TARGETS[@]} targets, ${SECONDS_EACH}s each"
    ;;
  *)
    echo "usage: $0 run|test|fuzz [SECONDS]" >&2
    exit 2
    ;;
esac
