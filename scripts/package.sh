#!/usr/bin/env bash
# Installs the build dependencies that debian/control names and builds the Debian
# packages with dpkg-buildpackage from a copy of the sources, so that everything the
# build writes stays in build-package/: pondlark_<version>_<arch>.deb (the game),
# pondlark-data_<version>_all.deb (its pictures, sounds and music), the -dbgsym
# package and the .changes file. DEBFULLNAME and DEBEMAIL name the maintainer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package
version=$(dpkg-parsechangelog -S Version)
source=build-package/pondlark-${version%-*}
rm -rf build-package
mkdir -p "$source"
# The files git knows, as they are in the work tree; no earlier build comes along.
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null -T - -cf - | tar -xf - -C "$source"
# The upload names the same maintainer as the packages (debian/rules).
named=()
if [ -n "${DEBFULLNAME:-}" ] && [ -n "${DEBEMAIL:-}" ]; then
    named=(--release-by="$DEBFULLNAME <$DEBEMAIL>" --build-by="$DEBFULLNAME <$DEBEMAIL>")
fi
(cd "$source" && dpkg-buildpackage -us -uc -b -j"$(nproc)" ${named[@]+"${named[@]}"})
ls -l build-package/*.deb
