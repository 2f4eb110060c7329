#!/usr/bin/env bash
# Installs what is missing, builds the programs for release into
# build-package/ and makes the Debian package there with CPack:
# build-package/travina_<version>-<revision>_<architecture>.deb, of what the
# install rules install under /usr. Lintian checks it when it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# The manual's and the changelog's dates are the last commit's, so that
# packing the same checkout again dates them the same.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null); then
    export SOURCE_DATE_EPOCH
fi
# Debian's hardening, as its own packages are built, with the global offset
# table read-only too.
export DEB_BUILD_MAINT_OPTIONS=${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS

cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release \
    -DTRAVINA_BUILD_TESTS=OFF -DTRAVINA_BUILD_BENCHMARKS=OFF
cmake --build build-package -j"$(nproc)"
rm -f build-package/travina_*.deb
(cd build-package && cpack)

package=$(ls build-package/travina_*.deb)
if command -v lintian >/dev/null 2>&1; then
    lintian --info "$package"
fi
echo "$package"
