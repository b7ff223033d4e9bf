#!/usr/bin/env bash
# Sets up a Debian 12 machine for Vantrel, builds it, and either starts the simulator or runs
# the whole test suite headless.
#   ./build.sh run     install what is missing, build, start the simulator
#   ./build.sh test    install what is missing, build, run every test (also under ASan+UBSan)
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake ninja-build qt6-base-dev qt6-svg-dev libgl-dev libbenchmark-dev
          fonts-dejavu-core xdg-utils pkg-config liborcus-dev libboost-dev libfreexl-dev
          libzip-dev)

install_missing_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() { # build DIR [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

run_tests() { # run_tests DIR
    (cd "$1" && ctest --output-on-failure -j "$(nproc)" --timeout 600)
}

case "${1:-}" in
run)
    install_missing_packages
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    exec build/stage/vantrel
    ;;
test)
    install_missing_packages
    export QT_QPA_PLATFORM=offscreen
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    run_tests build
    echo "== The same suite under AddressSanitizer and UndefinedBehaviorSanitizer =="
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_BENCH=OFF
    run_tests build-asan
    ;;
*)
    sed -n '2,6p' "$0"
    exit 2
    ;;
esac
