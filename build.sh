#!/usr/bin/env bash
# Sets up a Debian 12 machine for Vantrel, builds it, and either starts the simulator or runs
# the whole test suite headless.
#   ./build.sh run     install what is missing, build, start the simulator
#   ./build.sh test    install what is missing, build, run every test (also under ASan+UBSan),
#                      then build the .deb, lint it, install and remove it in a scratch root,
#                      and run each fuzz target for a bounded time
# Each step prints one line (with the build's [n/N] progress on a terminal); its full log (in
# build-logs/run/ or build-logs/test/) is shown only when it fails.
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ cmake ninja-build qt6-base-dev qt6-svg-dev libgl-dev libbenchmark-dev
          fonts-dejavu-core xdg-utils pkg-config liborcus-dev libboost-dev libfreexl-dev
          libzip-dev libkissfft-dev desktop-file-utils appstream dpkg-dev file lintian
          clang libclang-rt-14-dev nlohmann-json3-dev qt6-l10n-tools
          qt6-translations-l10n)

# Each command keeps its own logs, so that a run does not overwrite the logs of a test.
logs=build-logs/${1:-none}
watcher=""
trap '[ -z "$watcher" ] || kill "$watcher" 2>/dev/null' EXIT

progress() { # progress LOG: the last count of ninja ("[n/N]") or CTest ("n/N Test") in LOG
    grep -aoE '^\[[0-9]+/[0-9]+\]|^ *[0-9]+/[0-9]+ Test' "$1" 2>/dev/null | tail -n 1 \
        | grep -oE '[0-9]+/[0-9]+' || true
}

show_progress() { # show_progress WHAT LOG: rewrites the step's line while the script runs
    local shown="" now
    while kill -0 $$ 2>/dev/null; do
        now=$(progress "$2")
        if [ -n "$now" ] && [ "$now" != "$shown" ]; then
            printf '\r%-56s [%s] ' "$1" "$now"
            shown=$now
        fi
        sleep 0.5
    done
}

step() { # step "what" LOGNAME command...: one line, the whole log only on failure
    local what=$1 log=$logs/$2.log start=$SECONDS
    shift 2
    printf '%-56s ' "$what"
    # Progress only on a terminal: a CI log gets plain lines without control characters.
    if [ -t 1 ]; then
        show_progress "$what" "$log" &
        watcher=$!
    fi
    # A subshell outside any "if": there set -e stops a multi-command step at its first failure.
    set +e
    (set -e; "$@") >"$log" 2>&1
    local status=$?
    set -e
    if [ -n "$watcher" ]; then
        kill "$watcher" 2>/dev/null
        wait "$watcher" 2>/dev/null || true
        watcher=""
        printf '\r\033[K%-56s ' "$what"
    fi
    if [ $status -eq 0 ]; then
        echo "ok ($((SECONDS - start)) s)"
    else
        echo "FAILED"
        echo "---- $log ----"
        cat "$log"
        exit 1
    fi
}

missing_packages() {
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
            || echo "$p"
    done
}

install_packages() { # install_packages PKG...
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq -o DPkg::Lock::Timeout=300 "$@"
}

install_missing_packages() {
    local missing
    mapfile -t missing < <(missing_packages)
    [ ${#missing[@]} -eq 0 ] && return 0
    [ "$(id -u)" -ne 0 ] && sudo -v # ask for the password before the output goes to a log
    step "Installing packages: ${missing[*]}" packages install_packages "${missing[@]}"
}

build() { # build DIR [cmake options...]
    local dir=$1
    shift
    step "Configuring $dir" "configure-$dir" cmake -S . -B "$dir" -G Ninja "$@"
    step "Building $dir" "build-$dir" cmake --build "$dir" -j "$(nproc)"
}

run_tests() { # run_tests DIR
    step "Testing $1" "test-$1" ctest --test-dir "$1" --output-on-failure -j "$(nproc)" --timeout 600
    summary "test-$1"
}

summary() { # summary LOGNAME: CTest's closing count, so that the output says what ran
    grep -E '^[0-9]+% tests passed' "$logs/$1.log" | sed 's/^/    /' || true
}

fuzz_tests() { # the libFuzzer targets, built with clang in build-fuzz, each run for a minute
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_FUZZ=ON -DVANTREL_FUZZ_SECONDS=60
    cmake --build build-fuzz -j "$(nproc)" --target fuzzers
    ctest --test-dir build-fuzz -L fuzz --output-on-failure -j "$(nproc)"
}

superbuild() { # the program built as a subdirectory of another CMake project
    cmake -S tests/superbuild -B build-superbuild -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVANTREL_BENCH=OFF
    cmake --build build-superbuild --target vantrel -j "$(nproc)"
}

# The .deb of the standard layout: made by CPack, linted (errors fail, warnings are listed),
# installed by dpkg into a scratch root (its libraries are the host's, so dependencies are not
# looked for there) where the menu entry's command must find all its files, removed again
# without leaving a file behind, and offered to apt in simulation so that its dependencies are
# known to resolve on this Debian release.
package_checks() {
    rm -f build/vantrel_*.deb
    (cd build && cpack -G DEB)
    local deb
    deb=$(ls build/vantrel_*.deb)
    lintian --fail-on error "$deb"
    local root=$PWD/build/package-root
    rm -rf "$root"
    mkdir -p "$root"/var/lib/dpkg/{info,updates,triggers}
    touch "$root"/var/lib/dpkg/{status,available}
    dpkg --root="$root" --force-depends --force-script-chrootless -i "$deb"
    local command
    # The command of the menu entry, without its field codes (%f: the file opened).
    command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root"/usr/share/applications/*.desktop)
    QT_QPA_PLATFORM=offscreen "$root/usr/bin/$command" --check-install
    dpkg --root="$root" --force-depends --force-script-chrootless -r vantrel
    [ -z "$(find "$root/usr" -type f 2>/dev/null)" ] || { echo "files left after removal"; false; }
    rm -rf "$root"
    apt-get install -s "./$deb"
}

# The standard install layout (the default) below /usr, as the .deb installs it.
main_build_options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_BENCH=ON -DCMAKE_INSTALL_PREFIX=/usr)

case "${1:-}" in
run)
    mkdir -p "$logs"
    install_missing_packages
    build build "${main_build_options[@]}"
    exec build/stage/vantrel
    ;;
test)
    mkdir -p "$logs"
    install_missing_packages
    export QT_QPA_PLATFORM=offscreen
    build build "${main_build_options[@]}"
    run_tests build
    step "Packaging build (.deb, lintian, trial install)" package package_checks
    grep -E '^[WE]: ' "$logs/package.log" | sed 's/^/    lintian /' || true
    step "Building inside another CMake project" superbuild superbuild
    # The sanitizer build takes the single-folder layout, so both layouts get installed.
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_BENCH=OFF \
        -DVANTREL_INSTALL_LAYOUT=folder
    run_tests build-asan
    step "Fuzzing (libFuzzer, ASan, UBSan; a minute per target)" fuzz fuzz_tests
    summary fuzz
    ;;
*)
    sed -n '2,9p' "$0"
    exit 2
    ;;
esac
