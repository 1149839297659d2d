#!/usr/bin/env bash
# Qt's source as published beside the zip and the installer (qt6-base, and
# qt6-translations for Qt's own Polish): every file each .dsc names is there
# with the checksum it names, and the zip's QT-SOURCE.txt and README.txt name
# each of them with that checksum.
#   source-offer.sh SOURCE_FOLDER PROGRAMS_FOLDER
source "$(dirname "$0")/lib.sh"
arguments source folder -- "$@"
names() { grep -qF "$1" "$folder/licenses/Qt/QT-SOURCE.txt" && grep -qF "$1" "$folder/README.txt"; }

# qt6-translations where the archive served it (the build warns otherwise).
for dsc in "$source"/*.dsc; do
  check "$(basename "$dsc") named with its checksum" names "$(sha256sum "$dsc" | cut -d' ' -f1)"
  # The .dsc's own list: " <sha256> <size> <name>" lines under Checksums-Sha256.
  while read -r sum _ name; do
    check "$name beside the zip" test "$(sha256sum "$source/$name" | cut -d' ' -f1)" = "$sum"
    check "$name named with its checksum" names "$sum"
  done < <(sed -n '/^Checksums-Sha256:/,/^[^ ]/p' "$dsc" | grep '^ ')
done
verdict
