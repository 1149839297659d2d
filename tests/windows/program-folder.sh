#!/usr/bin/env bash
# The programs' folder for Windows users, run from where it lies under Wine
# with no DLL of ours on the search path but those in the folder: kavel-setup.exe
# is a windowed program and still answers --version through a pipe.
#   program-folder.sh WINE_STATE_DIR FOLDER VERSION OBJDUMP
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state=$1
folder=$2
version=$3
objdump=$4

subsystem=$("$objdump" -p "$folder/kavel-setup.exe" | sed -n 's/^Subsystem[[:space:]]*//p')
[[ "$subsystem" == *"(Windows GUI)"* ]] || { echo "FAILED: subsystem $subsystem" >&2; exit 1; }

# A missing DLL or plugin folder would end the program before it answers.
answer=$(cd "$folder" && env -u WINEPATH "$here/wine-run" "$state" ./kavel-setup.exe --version | cat)
answer=${answer%$'\r'}
[ "$answer" = "kavel-setup $version" ] || { echo "FAILED: --version answered \"$answer\"" >&2; exit 1; }
echo "the windowed program answers through a pipe"
