#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the suite, and then
#   ./suite.sh run    starts the suite
#   ./suite.sh test   runs every test, then again built with AddressSanitizer
#                     and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins
          libgtest-dev fonts-liberation fontconfig desktop-file-utils)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir"
}

case "${1:-}" in
  run)
    install_missing
    build build
    exec build/bin/calculators
    ;;
  test)
    install_missing
    build build -DCALC_WERROR=ON
    (cd build && ctest --output-on-failure -j2)
    build build-asan -DCALC_WERROR=ON -DCALC_SANITIZE=ON
    (cd build-asan && ctest --output-on-failure -j2)
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
