#!/usr/bin/env bash
# Installs what is missing, builds for the /usr prefix and makes the Debian package
# build/tarvix-4140_<version>_amd64.deb with CPack, its dependencies from dpkg-shlibdeps; then
# lintian checks it and fails on any error-level tag. Arguments go to CMake's configure step.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
tarvix_build -DCMAKE_INSTALL_PREFIX=/usr "$@"
cd "$TARVIX_BUILD"
rm -f tarvix-4140_*_amd64.deb
cpack -G DEB
package=$(echo tarvix-4140_*_amd64.deb)
lintian --fail-on error --no-override "$package"
echo "Package: $TARVIX_BUILD/$package"
