#!/usr/bin/env bash
# Installs what the build needs and makes the Debian package
# build-package/pondlark_<version>_<arch>.deb with Debian's compiler flags.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package
# Debian's hardening flags; CMake reads them when it first configures the folder.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CFLAGS CXXFLAGS LDFLAGS
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=None -DPONDLARK_TESTS=OFF
cmake --build build-package -j"$(nproc)"
rm -f build-package/pondlark_*.deb
(cd build-package && cpack)
