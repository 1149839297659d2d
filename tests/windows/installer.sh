#!/usr/bin/env bash
# The installer under Wine, silently, twice (the second over the first), and
# the uninstaller: the programs' folder under the 64-bit Program Files, the
# Start-menu shortcut and the uninstall entry are there and then gone, and
# the user's settings files (in %APPDATA% and beside the program) are kept;
# a running kavel-setup.exe, or kavel-cli.exe waiting at its question on the
# simulated tester, stops the installer; an install in a folder of the user's
# choosing is upgraded there.
#   installer.sh WINE_STATE_DIR INSTALLER FOLDER VERSION TESTER_SIM
source "$(dirname "$0")/lib.sh"
arguments state installer folder version simulator -- "$@"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
drive_c="$state/prefix/drive_c"
installed="$drive_c/Program Files/KAVEL/kavel-setup"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/kavel-setup.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\kavel-setup'

wine_run() { "$here/wine-run" "$state" "$@"; }
entry() { wine_run reg query "$key" /v "$1" /reg:64 2>/dev/null | tr -d '\r' | grep -q "$2"; }
no_entry() { ! entry DisplayName kavel-setup; }
same_files() {  # same_files [INSTALLED_FOLDER]
  diff <(cd "$folder" && find . -type f | sort) \
       <(cd "${1:-$installed}" && find . -type f ! -name uninstall.exe ! -name kavel-setup.ini \
         ! -name installed-files.txt ! -name installed-for-all-users | sort)
}

# The uninstall entry's quiet command, run as a deployment tool runs it: its
# arguments as written (Wine would quote one holding a blank, which NSIS
# then takes for no _?=).
quiet_uninstall() {
  local command
  command=$(wine_run reg query "$key" /v QuietUninstallString /reg:64 | tr -d '\r' |
    sed -n 's/.*REG_SZ *"[^"]*" //p')
  # shellcheck disable=SC2086
  (set -f && wine_run "$installed/uninstall.exe" $command)
}

appdata=$(wine_run cmd.exe /c echo %APPDATA% | tr -d '\r')
user_settings="$(wine_run winepath.exe -u "$appdata" | tr -d '\r')/kavel-setup/kavel-setup.ini"
mkdir -p "$(dirname "$user_settings")"
echo "[Main Setings]" >"$user_settings"

wine_run "$installer" /S
check "the folder as built, under the 64-bit Program Files" same_files
check "marked as installed for the computer" test -f "$installed/installed-for-all-users"
check "the uninstaller" test -f "$installed/uninstall.exe"
check "the Start-menu shortcut" test -f "$shortcut"
check "the uninstall entry's name" entry DisplayName "kavel-setup"
check "its version" entry DisplayVersion "$version"
check "its publisher" entry Publisher "KAVEL S.A."
check "its quiet uninstall, in place" entry QuietUninstallString 'uninstall.exe" /S _?=C:'
check "no modify" entry NoModify 0x1
check "no repair" entry NoRepair 0x1
check "its size" entry EstimatedSize 0x
# The records' folder every user shares (Wine's icacls is a dummy that
# neither sets nor shows an ACL: the Users group's Modify is not seen here).
check "%ProgramData%\\kavel-setup made" test -d "$drive_c/ProgramData/kavel-setup"

# A running program's files cannot be replaced: a silent run ends with its
# own status. The program runs on Wine's windowless driver (Wine hands it none
# of our QT_ variables).
wine_run reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
timeout 60 "$here/wine-run" "$state" "$installed/kavel-setup.exe" &
program=$!
status=0
for _ in $(seq 50); do
  status=0
  wine_run "$installer" /S || status=$?
  [ "$status" -eq 3 ] && break
  sleep 0.2
done
check "a running program stops a silent install with status 3" test "$status" -eq 3
status=0
quiet_uninstall || status=$?
check "and the quiet uninstall, its status reaching the caller" test "$status" -eq 3
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
wine_run reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null

# kavel-cli.exe at its [y/N] question on the simulated tester (COM7), its
# input a pipe held open: it holds its file as long as it waits.
link="$scratch/tty"
"$simulator" --eeprom "$scratch/eeprom.bin" --link "$link" >/dev/null &
simulator_pid=$!
for _ in $(seq 100); do [ -e "$link" ] && break; sleep 0.05; done
wine_run reg add 'HKLM\Software\Wine\Ports' /v COM7 /d "$link" /f >/dev/null
"$here/wine-run" "$state" --start
mkfifo "$scratch/answer"
exec 9<>"$scratch/answer"
"$here/wine-run" "$state" "$installed/kavel-cli.exe" voltage --port COM7 230 \
  <"$scratch/answer" >/dev/null 2>"$scratch/question" &
cli=$!
for _ in $(seq 300); do grep -q 'y/N' "$scratch/question" && break; sleep 0.1; done
status=0
wine_run "$installer" /S || status=$?
check "kavel-cli.exe at its question stops a silent install with status 3" test "$status" -eq 3
echo n >&9
exec 9>&-
wait "$cli" || true
# The wine server goes before the tester, whose hang-up it would report
# without end; then a fresh one for the rest.
"$here/wine-run" "$state" --stop
kill "$simulator_pid" 2>/dev/null || true
wait "$simulator_pid" 2>/dev/null || true
"$here/wine-run" "$state" --start

echo "[Main Setings]" >"$installed/kavel-setup.ini"
# A file the old version listed and this one does not ship goes; a read-only
# program is no running one.
printf 'obsolete.dll\r\n' >>"$installed/installed-files.txt"
touch "$installed/obsolete.dll"
wine_run cmd.exe /c attrib +R 'C:\Program Files\KAVEL\kavel-setup\kavel-cli.exe'
wine_run "$installer" /S
check "installed again over itself, a read-only program replaced" same_files
check "the file the old version listed removed" test ! -e "$installed/obsolete.dll"

# The quiet uninstall runs in place and returns when done, leaving itself.
quiet_uninstall
check "the programs removed, the settings file beside them kept" \
  test "$(cd "$installed" && find . -mindepth 1 | sort | paste -sd' ')" = \
  "./kavel-setup.ini ./uninstall.exe"
check "the shortcut removed" test ! -e "$shortcut"
check "the uninstall entry removed" no_entry
check "the settings file in %APPDATA% kept" test -f "$user_settings"
rm -rf "$installed"

# A folder of the user's choosing, with a Polish letter, kept by an upgrade
# that names none.
chosen="$drive_c/Narzędzia/kavel"
LC_ALL=C.UTF-8 wine_run "$installer" /S '/D=C:\Narzędzia\kavel'
check "installed in the folder chosen" same_files "$chosen"
LC_ALL=C.UTF-8 wine_run "$installer" /S
check "upgraded in the folder chosen" same_files "$chosen"
check "nothing under Program Files" test ! -e "$installed/kavel-setup.exe"
# An upgrade that cannot write one of its files fails before it changes
# anything: the old version stays whole, runs, and keeps its uninstall entry.
stuck="$chosen/$(cd "$folder" && find platforms -type f | head -n1).kavel-new"
mkdir "$stuck"
status=0
LC_ALL=C.UTF-8 wine_run "$installer" /S || status=$?
check "an upgrade failing halfway ends with status 2" test "$status" -eq 2
check "and leaves the old version whole" same_files "$chosen"
check "and its uninstall entry" entry InstallLocation 'Narz'
check "and it runs" wine_run "$chosen/kavel-cli.exe" --version
rmdir "$stuck"
# A file that cannot be written (a folder in its place) fails the install;
# it is never skipped.
blocked="$chosen/$(cd "$folder" && find platforms -type f | head -n1)"
rm "$blocked"
mkdir "$blocked"
status=0
LC_ALL=C.UTF-8 wine_run "$installer" /S || status=$?
check "a file that cannot be written fails the install" test "$status" -ne 0
wine_run reg delete "$key" /f /reg:64 >/dev/null 2>&1 || true
rm -rf "$drive_c/Narzędzia" "$user_settings"

verdict
