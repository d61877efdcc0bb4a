#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the suite with the presets of
# CMakePresets.json (build/, build-asan/, build-fuzz/), and then
#   ./suite.sh run    builds only the programs and the launcher and starts the
#                     suite (without a display it says how to use script mode)
#   ./suite.sh test   runs every test, then again built with AddressSanitizer
#                     and UndefinedBehaviorSanitizer, then a short run of every
#                     fuzz target over its committed corpus
#   ./suite.sh fuzz [SECONDS]   runs every fuzz target longer (default 600 s
#                     each), adding what it finds to the corpus
#   ./suite.sh web    builds the WebAssembly site into build-web/site and
#                     serves it on http://localhost:8080/
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config nlohmann-json3-dev qt6-base-dev qt6-svg-dev qt6-qpa-plugins
          qt6-charts-dev libqt6opengl6-dev
          libgtest-dev fonts-liberation fontconfig desktop-file-utils clang libclang-rt-14-dev
          poppler-utils)

install_missing() {  # [PACKAGES...], by default the desktop's
  local wanted=("$@") missing=()
  ((${#wanted[@]})) || wanted=("${packages[@]}")
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

# The web build: Emscripten, Node and npm, Debian's chromium for the tests.
web_packages=(cmake ninja-build emscripten chromium fonts-liberation nlohmann-json3-dev poppler-utils)

web_build() {
  install_missing "${web_packages[@]}"
  # A machine may bring its own Node with npm inside it; Debian's npm would
  # conflict with that, so it is asked for only where there is no npm at all.
  if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    install_missing nodejs npm
  fi
  # The site ships the pinned Markdown library (and the tests' browser driver).
  npm ci --no-audit --no-fund
  emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build-web
}

web_test() {
  web_build
  (cd build-web && ctest --output-on-failure -j2)
  CALC_DESKTOP_BIN=$PWD/build/bin CALC_WEB_SHOT_DIR=$PWD/build-web/shots node web/test/browser.mjs
}

# The browser's checks keep about one core busy: the sanitizer build runs
# beside the web build and its checks, at a lower priority so that their
# pages keep their pace; its output is shown once both have ended. (Each runs
# as a job of its own, where a failing command still ends it.)
web_test_with_asan_build() {
  configure asan
  local log=build-asan/build.log asan=0 web=0
  nice -n 10 cmake --build --preset asan >"$log" 2>&1 &
  local asan_pid=$!
  web_test &
  local web_pid=$!
  wait "$web_pid" || web=$?
  wait "$asan_pid" || asan=$?
  if [ "$asan" != 0 ]; then
    cat "$log" >&2
    echo "$0: the sanitizer build failed (output above)" >&2
  else
    tail -n 1 "$log"
  fi
  [ "$web" = 0 ] && [ "$asan" = 0 ]
}

# Configures with a preset of CMakePresets.json; its output is shown only
# when it fails.
configure() {  # configure PRESET
  local log
  log=$(mktemp)
  if ! cmake --preset "$1" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "$0: configuring the \"$1\" build failed (output above)" >&2
    exit 1
  fi
  rm -f "$log"
}

build() {  # build CONFIGURE-PRESET [BUILD-PRESET]
  configure "$1"
  cmake --build --preset "${2:-$1}"
}

fuzz() {  # fuzz SECONDS-PER-TARGET KEEP(0|1)
  local seconds=$1 keep=$2
  build fuzz
  mkdir -p build-fuzz/artifacts
  local failed=0
  for target in build-fuzz/bin/fuzz_*; do
    local name=${target##*/fuzz_}
    local corpus=$PWD/fuzz/corpus/$name
    local scratch=$PWD/build-fuzz/corpus/$name
    mkdir -p "$corpus" "$scratch"
    # New finds go to the scratch corpus; the committed one is only read,
    # unless this is a long run that keeps what it finds.
    local dirs=("$scratch" "$corpus")
    [ "$keep" = 1 ] && dirs=("$corpus")
    echo "fuzz $name: ${seconds}s"
    if ! "$target" "${dirs[@]}" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
         -artifact_prefix="$PWD"/build-fuzz/artifacts/"$name"- -print_final_stats=1 \
         > build-fuzz/"$name".log 2>&1; then
      echo "fuzz $name FAILED:"; tail -n 40 build-fuzz/"$name".log
      failed=1
    else
      grep -E "stat::number_of_executed_units" build-fuzz/"$name".log || true
    fi
  done
  return $failed
}

case "${1:-}" in
  run)
    install_missing
    build default programs  # the programs and the launcher, no test
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
      cat >&2 <<'EOF'
No display to open the windows on (neither DISPLAY nor WAYLAND_DISPLAY is set).
The programs are built in build/bin/. Each also runs without a window, driven
by a command file (- for standard input), for example:

  printf 'type txtm1 2\nclick cmdscompute\nshow lblt1\nclick cmdend\n' | build/bin/isentropic --script -

or on Qt's offscreen platform: QT_QPA_PLATFORM=offscreen ./suite.sh run
EOF
      exit 1
    fi
    exec build/bin/calculators
    ;;
  test)
    install_missing
    build default
    ctest --preset default
    web_test_with_asan_build
    ctest --preset asan
    fuzz 6 0
    ;;
  web)
    web_build
    echo "The calculators: http://localhost:8080/ (Ctrl+C ends)"
    exec node web/serve.mjs build-web/site 8080
    ;;
  fuzz)
    install_missing
    fuzz "${2:-600}" 1
    ;;
  *)
    echo "usage: $0 run|test|web|fuzz [SECONDS]" >&2
    exit 2
    ;;
esac
