#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs the Debian packages the build, the program and
# the tests need (one apt-get update at most), generates the comma locale the tests use, and
# configures and builds a Release build in build/ with two jobs.
set -euo pipefail

TARVIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TARVIX_BUILD=${TARVIX_BUILD:-$TARVIX_ROOT/build}

TARVIX_PACKAGES=(
    g++ cmake make
    qt6-base-dev libqcustomplot-dev qt6-tools-dev
    libgtest-dev libgmock-dev libbenchmark-dev libeigen3-dev
    locales xvfb xauth fonts-dejavu-core xdg-utils
    desktop-file-utils appstream man-db librsvg2-bin
    dpkg-dev file lintian
    clang libclang-rt-14-dev
)

tarvix_install_packages() {
    local missing=()
    for package in "${TARVIX_PACKAGES[@]}"; do
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

tarvix_build() {
    cmake -S "$TARVIX_ROOT" -B "$TARVIX_BUILD" -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$TARVIX_BUILD" -j2
}

tarvix_install_packages
tarvix_generate_locale
