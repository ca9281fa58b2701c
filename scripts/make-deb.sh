#!/usr/bin/env bash
# Builds the Debian package tavrin_<version>_<architecture>.deb from the tree: installs what is
# missing, configures the `package` preset (installs into /usr, no tests) with Debian's
# hardening flags, builds, and runs CPack's DEB generator, whose library dependencies come
# from dpkg-shlibdeps. Prints the package's path; the package is in build/package/.
# Usage: scripts/make-deb.sh [CMAKE_OPTION...]   (passed to the configure step)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The flags Debian builds its own packages with: fortified functions, stack protector,
# read-only relocations bound at start.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake --preset package -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" "$@"
cmake --build --preset package

cd build/package
rm -f tavrin_*.deb
cpack -G DEB
deb=$(echo tavrin_*.deb)
[ -f "$deb" ] || { echo "make-deb: CPack made no package" >&2; exit 1; }
echo "make-deb: $PWD/$deb"
