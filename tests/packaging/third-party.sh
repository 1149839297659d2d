#!/usr/bin/env bash
# Every file of others that the programs were compiled from (the headers
# ninja's log of dependencies lists for the objects of src/ and tools/)
# comes from a Debian package that a part of packaging/third-party.json
# names for the platform, so that nothing is built in unlisted; a file
# outside this tree that no package holds fails as well. The Windows Qt, built from Debian's
# qt6-base, counts as that source package; the Windows build's copy of
# nlohmann/json as the package it was copied from.
#   third-party.sh BUILD_DIR SOURCE_DIR linux|windows [WINDOWS_QT_DIR]
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
platform=$3
qt=$(realpath -m "${4:-/nonexistent}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

ninja -C "$build" -t deps |
  awk '/^[^ ]/ { take = ($1 ~ /^(src|tools)\//) } take && /^    / { print $1 }' | sort -u >"$scratch/read"
[ -s "$scratch/read" ] || { echo "no dependencies logged in $build" >&2; exit 1; }
packages=()
: >"$scratch/others"
while read -r file; do
  case "$file" in /*) ;; *) file="$build/$file" ;; esac
  file=$(realpath -s -m "$file")
  case "$file" in
    "$build"/third-party/*) echo "/usr/include/${file#"$build"/third-party/}" >>"$scratch/others" ;;
    "$source"/* | "$build"/*) ;;
    "$qt"/*) packages+=(qt6-base) ;;
    *) echo "$file" >>"$scratch/others" ;;
  esac
done <"$scratch/read"
sort -u -o "$scratch/others" "$scratch/others"
# "package[:arch][, package...]: path", one line per file a package holds.
xargs -a "$scratch/others" dpkg -S 2>/dev/null >"$scratch/owners" || true
sed 's/^[^/]*: //' "$scratch/owners" | sort -u | comm -23 "$scratch/others" - >"$scratch/orphans"
if [ -s "$scratch/orphans" ]; then
  echo "built from files of no Debian package:" >&2
  cat "$scratch/orphans" >&2
  exit 1
fi
mapfile -t -O "${#packages[@]}" packages < <(sed 's/: \/.*//; s/, /\n/g' "$scratch/owners" | sort -u)
cmake -DLIST="$source/packaging/third-party.json" -DWHAT=check -DPLATFORM="$platform" \
  -DPACKAGES="$(IFS=';'; echo "${packages[*]}")" -P "$source/packaging/ThirdParty.cmake"
