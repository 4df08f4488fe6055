#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs the Debian packages the build, the program and
# the tests need (one apt-get update at most), generates the comma locale the tests use, and
# configures and builds a Release build in build/ with two jobs. A script that only runs the
# program sets TARVIX_SETUP=program before sourcing this: then only what the build and the
# program need is installed, and the locale is left alone.
set -euo pipefail

TARVIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TARVIX_BUILD=${TARVIX_BUILD:-$TARVIX_ROOT/build}

# What configuring the build, building the program and running it need. The test and benchmark
# libraries are among them because configuring looks for them.
TARVIX_PACKAGES=(
    g++ cmake make
    qt6-base-dev libqcustomplot-dev qt6-tools-dev
    libgtest-dev libgmock-dev libbenchmark-dev libeigen3-dev
    fonts-dejavu-core xdg-utils
)
# What the tests, the screenshots, the package and the fuzzing need besides.
TARVIX_TEST_PACKAGES=(
    locales xvfb xauth
    desktop-file-utils appstream man-db librsvg2-bin
    dpkg-dev file lintian
    clang libclang-rt-14-dev
)

tarvix_install_packages() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

tarvix_generate_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        echo "Generating the de_DE.UTF-8 locale"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
    fi
}

tarvix_configure() {
    cmake -S "$TARVIX_ROOT" -B "$TARVIX_BUILD" -DCMAKE_BUILD_TYPE=Release "$@"
}

# Everything: the program, every test program and benchmark.
tarvix_build() {
    tarvix_configure "$@"
    cmake --build "$TARVIX_BUILD" -j2
}

# The program, the simulator, the adapter driver and what they need (target tarvix_program).
tarvix_build_program() {
    tarvix_configure "$@"
    cmake --build "$TARVIX_BUILD" --target tarvix_program -j2
}

if [ "${TARVIX_SETUP:-all}" = program ]; then
    tarvix_install_packages "${TARVIX_PACKAGES[@]}"
else
    tarvix_install_packages "${TARVIX_PACKAGES[@]}" "${TARVIX_TEST_PACKAGES[@]}"
    tarvix_generate_locale
fi
