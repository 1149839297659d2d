#!/usr/bin/env bash
# Qt's source as published beside the zip and the installer (qt6-base):
# every file each .dsc names is there with the checksum it names, the zip's
# QT-SOURCE.txt and README.txt name each of them with that checksum, and
# QT-SOURCE.txt carries the written offer at KAVEL's address.
#   source-offer.sh SOURCE_FOLDER PROGRAMS_FOLDER
source "$(dirname "$0")/lib.sh"
arguments source folder -- "$@"
names() { grep -qF "$1" "$folder/licenses/Qt/QT-SOURCE.txt" && grep -qF "$1" "$folder/README.txt"; }

for dsc in "$source"/*.dsc; do
  check "$(basename "$dsc") named with its checksum" names "$(sha256sum "$dsc" | cut -d' ' -f1)"
  # The .dsc's own list: " <sha256> <size> <name>" lines under Checksums-Sha256.
  while read -r sum _ name; do
    check "$name beside the zip" test "$(sha256sum "$source/$name" | cut -d' ' -f1)" = "$sum"
    check "$name named with its checksum" names "$sum"
  done < <(sed -n '/^Checksums-Sha256:/,/^[^ ]/p' "$dsc" | grep '^ ')
done
# The written offer, at KAVEL's address as the About box gives it.
address=$(for label in st3 st5 st6; do
  sed -n "/name=\"$label\"/,/<\/string>/s#.*<string[^>]*>\(.*\)</string>.*#\1#p" \
    "$here/../../src/ui/fmInfo_.ui"
done | paste -sd '|' | sed 's/|/, /g')
check "the written offer, at $address" grep -qF "$address" "$folder/licenses/Qt/QT-SOURCE.txt"
check "for three years, to anyone" grep -qF "for three years" "$folder/licenses/Qt/QT-SOURCE.txt"
verdict
