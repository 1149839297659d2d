#!/usr/bin/env bash
# Builds the Debian package the way ./scripts/package does (its own Release
# build folder, the same targets, cpack) and checks that it holds the
# programs, the desktop files and the manual pages in their places, that its
# dependencies were found from the linked libraries, that the installed
# program answers --version, that the changelog's latest entry is of the
# package's version, that the desktop and metainfo files pass Debian's
# validators (the package itself passes lintian and hardening-check in
# ./scripts/package), that the SBOM and checksums lie beside it, and that it
# makes the shared records' folder.
#   check-package.sh PACKAGE_BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

desktop-file-validate "$source/packaging/com.example.KavelSetup.desktop"
appstreamcli validate --no-net "$source/packaging/com.example.KavelSetup.metainfo.xml"

rm -f "$build"/*.deb
deb=$("$source/scripts/package" "$build" | tail -n 1)
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || {
  echo "no dependency on Qt's widgets: $(dpkg-deb -f "$deb" Depends)" >&2
  exit 1
}
dpkg-deb -f "$deb" Recommends | grep -q 'qt6-translations-l10n' || {
  echo "Qt's translations not recommended: $(dpkg-deb -f "$deb" Recommends)" >&2
  exit 1
}
dpkg -x "$deb" "$scratch/root"
for file in usr/bin/kavel-setup usr/bin/tester-sim \
  usr/share/applications/com.example.KavelSetup.desktop \
  usr/share/metainfo/com.example.KavelSetup.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/com.example.KavelSetup.svg \
  usr/share/icons/hicolor/48x48/apps/com.example.KavelSetup.png \
  usr/bin/kavel-cli usr/share/man/man1/kavel-cli.1.gz \
  usr/share/man/man1/kavel-setup.1.gz usr/share/man/man1/tester-sim.1.gz \
  usr/share/doc/kavel-setup/copyright usr/share/doc/kavel-setup/changelog.gz; do
  [ -e "$scratch/root/$file" ] || { echo "missing from the package: $file" >&2; exit 1; }
done
# Without a display: the version is answered before any window is made.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$scratch/root/usr/bin/kavel-setup" --version)
[ "$version" = "kavel-setup $(dpkg-deb -f "$deb" Version)" ] || {
  echo "installed program says: $version" >&2
  exit 1
}
logged=$(dpkg-parsechangelog -l "$scratch/root/usr/share/doc/kavel-setup/changelog.gz" -S Version)
[ "$logged" = "$(dpkg-deb -f "$deb" Version)" ] || {
  echo "the changelog's latest entry is of version $logged, the package $(dpkg-deb -f "$deb" Version)" >&2
  exit 1
}
# Beside it the SBOM, with Qt's and nlohmann/json's exact versions, and the
# checksums of both.
sbom="$(dirname "$deb")/kavel-setup-$(dpkg-deb -f "$deb" Version).spdx.json"
for part in qt6-base-dev-tools nlohmann-json3-dev; do
  grep -q "\"versionInfo\" *: *\"$(dpkg-query -W -f='${Version}' $part)\"" "$sbom" || {
    echo "the SBOM $sbom lacks the version of $part" >&2
    exit 1
  }
done
(cd "$(dirname "$deb")" && sha256sum --quiet -c SHA256SUMS)
# The shared records' folder, in the package, given its group when configured.
[ -d "$scratch/root/var/lib/kavel-setup" ] || { echo "no /var/lib/kavel-setup" >&2; exit 1; }
dpkg-deb -I "$deb" postinst | grep -q 'root dialout 2775 /var/lib/kavel-setup' || {
  echo "the postinst does not make /var/lib/kavel-setup root:dialout 2775" >&2
  exit 1
}
echo "package $(basename "$deb") checked"
