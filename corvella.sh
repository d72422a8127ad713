#!/bin/sh
# Corvella's one entry point for people and CI.
#   ./corvella.sh run    install what is missing, build, start Corvella
#   ./corvella.sh test   install what is missing, build, run every test headless
#   ./corvella.sh package  install what is missing, build, make the Debian package
set -eu

cd "$(dirname "$0")"

PACKAGES="g++ cmake ninja-build qt6-base-dev libqt6opengl6-dev qt6-charts-dev
qt6-datavisualization-dev qt6-declarative-dev qt6-svg-dev libqt6sql6-sqlite qt6-tools-dev
qt6-tools-dev-tools qt6-l10n-tools xvfb xauth libgl1-mesa-dri libglx-mesa0 fonts-dejavu-core
libkainjow-mustache-dev poppler-utils libx11-dev"

# What making the Debian package needs besides (dpkg-shlibdeps works out its
# dependencies; file finds the programs in it).
PACKAGE_TOOLS="dpkg-dev file"

install_missing() {
    missing=""
    for p in $PACKAGES ${1:-}; do
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
test)
    install_missing
    build
    cd build
    exec env QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel 2
    ;;
package)
    install_missing "$PACKAGE_TOOLS"
    build
    rm -f build/corvella_*.deb
    cmake --build build --target package
    ls build/corvella_*.deb
    ;;
*)
    echo "usage: $0 run | test | package" >&2
    exit 2
    ;;
esac
