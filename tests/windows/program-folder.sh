#!/usr/bin/env bash
# The programs' folder for Windows users, run from where it lies under Wine
# with no DLL of ours on the search path but those in the folder:
# kavel-setup.exe is a windowed program with its icon and manifest, no Qt
# translation of Debian's beside it and every file of others named in the
# list of third-party parts, and still answers --version through a pipe.
#   program-folder.sh WINE_STATE_DIR FOLDER VERSION OBJDUMP
source "$(dirname "$0")/lib.sh"
arguments state folder version objdump -- "$@"
program="$folder/kavel-setup.exe"
# Each step needs the one before it: the first failure ends the run.
fail() { echo "FAILED: $*" >&2; exit 1; }

headers=$("$objdump" -p "$program")
[[ "$headers" == *"(Windows GUI)"* ]] || fail "not a windowed program"
# The icon Qt gives every window of the program, and the manifest.
[[ "$headers" == *": IDI_ICON1,"* ]] || fail "no icon IDI_ICON1"
grep -aq 'level="asInvoker"' "$program" || fail "the manifest asks for more than the user's rights"
grep -aq '>PerMonitorV2</dpiAwareness>' "$program" || fail "the manifest's DPI awareness"
# No translation of Debian's: Qt's texts in Polish are the program's own.
[ ! -e "$folder/translations" ] || fail "a translations folder: $(ls "$folder/translations")"
# Every file of others it ships is named by a part of the list.
while read -r file; do
  grep -qF "\"$file\"" "$here/../../packaging/third-party.json" ||
    case "$file" in licenses/Qt/*) ;; *) fail "$file is named by no third-party part" ;; esac
done < <(cd "$folder" && find . -type f ! -name 'kavel-*.exe' ! -name README.txt \
  ! -name NOTICES.txt | sed 's#^\./##')

# A missing DLL or plugin folder would end the program before it answers.
# A Wine helper started beside the program inherits its output and may hold
# it open long after the program has ended: the pipe's reader takes the one
# line and ends, and the errors go to a file, not to the test's own output,
# which CTest reads to its end.
errors="$state/program-folder.errors"
answer=$(cd "$folder" && env -u WINEPATH "$here/wine-run" "$state" ./kavel-setup.exe --version \
  </dev/null 2>"$errors" | head -n 1)
answer=${answer%$'\r'}
[ "$answer" = "kavel-setup $version" ] ||
  fail "--version answered \"$answer\"; its errors: $(cat "$errors")"
echo "the windowed program answers through a pipe"
