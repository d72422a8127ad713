#!/bin/sh
# Corvella's one entry point for people and CI.
#   ./corvella.sh run    install what is missing, build (in build/), start Corvella
#   ./corvella.sh test   install what is missing, build everything with
#                        AddressSanitizer and UndefinedBehaviorSanitizer (in
#                        build-check/) and run every test headless under them
#   ./corvella.sh check  the same as test
#   ./corvella.sh format check that every C++ file is formatted as .clang-format says
#   ./corvella.sh fuzz SECONDS
#                        build the fuzz targets with clang (in build-fuzz/) and run
#                        each for SECONDS; findings go to build-fuzz/findings/
#                        (FUZZ_TARGETS="formula ..." runs only those)
#   ./corvella.sh package  install what is missing, build, make the Debian package
set -eu

cd "$(dirname "$0")"

PACKAGES="g++ cmake ninja-build qt6-base-dev libqt6opengl6-dev qt6-charts-dev
qt6-datavisualization-dev qt6-declarative-dev qt6-svg-dev libqt6sql6-sqlite qt6-tools-dev
qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n xvfb xauth libgl1-mesa-dri libglx-mesa0 fonts-dejavu-core
libkainjow-mustache-dev poppler-utils libx11-dev libsqlite3-dev lld"

# What the tests need besides: the formatting check, and the screen-reader
# check (an AT-SPI client on a virtual screen with a window manager, keys
# typed as a user types them, the accessibility bus of its own session bus).
# The check build is compiled by clang with its sanitizer runtimes.
TEST_PACKAGES="clang-format python3-pyatspi at-spi2-core dbus-daemon openbox xdotool
clang libclang-rt-14-dev"

# What making the Debian package needs besides (dpkg-shlibdeps works out its
# dependencies; file finds the programs in it; lintian checks the result).
PACKAGE_TOOLS="dpkg-dev file lintian"

install_missing() {
    missing=""
    for p in $PACKAGES ${EXTRA_PACKAGES:-} ${1:-}; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $p"
        fi
    done
    [ -z "$missing" ] && return 0
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installing:$missing"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

FUZZ_PACKAGES="clang libclang-rt-14-dev"
FUZZ_TARGETS="${FUZZ_TARGETS:-numbers dates amounts criteria recordsource formula csv templates ranges schema help}"

# Sanitizer flags of the check build. Every finding ends the test that hit it
# (no recovery), so a report cannot scroll by in a passing run.
SANITIZE="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

build() {
    # A build folder made earlier keeps the generator it was made with.
    if [ -f build/CMakeCache.txt ]; then
        cmake -S . -B build >/dev/null
    else
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build build --parallel "$(nproc 2>/dev/null || echo 2)"
}

case "${1:-}" in
run)
    install_missing
    build
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting Corvella on a virtual screen (xvfb-run)." >&2
        exec xvfb-run -a -s "-screen 0 1280x800x24" ./build/bin/corvella
    fi
    exec ./build/bin/corvella
    ;;
test | check)
    # One build serves both: every test runs once, under the sanitizers, so
    # a finding of either ends the test that hit it. (The plain build of
    # `run` compiles the same code; building everything twice doubled the
    # time of every test run for no fault it could find alone.)
    install_missing "$TEST_PACKAGES"
    start=$(date +%s)
    # clang, with the Qt headers precompiled, builds it in about a third of
    # the processor time GCC takes; the plain build of `run` stays GCC's, so
    # both compilers see every change.
    if [ ! -f build-check/CMakeCache.txt ]; then
        CXX=clang++ cmake -S . -B build-check -G Ninja -DCMAKE_BUILD_TYPE=Debug \
            -DCMAKE_CXX_FLAGS="$SANITIZE" -DCMAKE_EXE_LINKER_FLAGS="$SANITIZE" >/dev/null
    else
        cmake -S . -B build-check >/dev/null
    fi
    cmake --build build-check --parallel "$(nproc 2>/dev/null || echo 2)"
    cd build-check
    status=0
    env QT_QPA_PLATFORM=offscreen \
        ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
        LSAN_OPTIONS="suppressions=$(pwd)/../tests/sanitizer/lsan.supp:print_suppressions=0" \
        UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
        ctest --output-on-failure --parallel 2 || status=$?
    echo "$1: $(($(date +%s) - start)) s" >&2
    exit $status
    ;;
format)
    install_missing "$TEST_PACKAGES"
    # shellcheck disable=SC2046
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    echo "format: every C++ file is formatted as .clang-format says" >&2
    ;;
fuzz)
    seconds="${2:-60}"
    EXTRA_PACKAGES="$FUZZ_PACKAGES" install_missing
    fuzzflags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
    if [ ! -f build-fuzz/CMakeCache.txt ]; then
        CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCORVELLA_FUZZ=ON -DCORVELLA_TESTS=OFF -DCMAKE_CXX_FLAGS="$fuzzflags" \
            -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
    fi
    targets=""
    for t in $FUZZ_TARGETS; do targets="$targets fuzz_$t"; done
    # shellcheck disable=SC2086
    cmake --build build-fuzz --parallel "$(nproc 2>/dev/null || echo 2)" --target $targets
    found=0
    for t in $FUZZ_TARGETS; do
        mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
        dict=""
        case $t in
        numbers | dates | amounts) dict="-dict=fuzz/numbers.dict" ;;
        criteria) dict="-dict=fuzz/criteria.dict" ;;
        recordsource) dict="-dict=fuzz/recordsource.dict" ;;
        formula) dict="-dict=fuzz/formula.dict" ;;
        csv | templates | ranges | schema | help) dict="-dict=fuzz/$t.dict" ;;
        esac
        echo "== fuzz_$t for $seconds s" >&2
        # A single input may take at most 2 s and 256 MB at once: a slow or
        # greedy conversion is a finding like a crash.
        LSAN_OPTIONS="suppressions=$(pwd)/tests/sanitizer/lsan.supp:print_suppressions=0" \
        "./build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 \
            -malloc_limit_mb=256 -print_final_stats=1 $dict \
            -artifact_prefix="build-fuzz/findings/$t/" \
            "build-fuzz/corpus/$t" "fuzz/corpus/$t" || found=1
    done
    if [ "$found" -ne 0 ]; then
        echo "Findings in build-fuzz/findings/: add each to fuzz/regressions/<target>/." >&2
    fi
    exit $found
    ;;
package)
    install_missing "$PACKAGE_TOOLS"
    build
    rm -f build/corvella_*.deb
    cmake --build build --target package
    ls build/corvella_*.deb
    # packaging/check-minimal-install.sh goes further: it installs the
    # package into a minimal Debian system and starts Corvella there.
    lintian --fail-on error,warning build/corvella_*.deb
    ;;
*)
    echo "usage: $0 run | test | check | format | fuzz SECONDS | package" >&2
    exit 2
    ;;
esac
