#!/usr/bin/env bash
# kavel-cli.exe under Wine against the simulated tester on the Linux side: a
# COM name that Wine maps to the simulator's pseudo-terminal, the EEPROM image
# checked byte for byte after every write.
#   cli-on-tester.sh WINE_STATE_DIR KAVEL_CLI_EXE TESTER_SIM VERSION
source "$(dirname "$0")/lib.sh"
arguments state cli simulator version -- "$@"
scratch=$(mktemp -d)
link="$scratch/tty"
sim_pid=""

stop_tester() {
  # The wine server goes first: it would report the terminal's hang-up
  # without end.
  "$here/wine-run" "$state" --stop
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  sim_pid=""
}
trap 'stop_tester; rm -rf "$scratch"' EXIT

# start_tester [TESTER-SIM OPTION...]: a TVA-740 2.01 whose EEPROM image is
# $scratch/eeprom.bin, reached as COM7.
start_tester() {
  rm -f "$link"
  "$simulator" --eeprom "$scratch/eeprom.bin" --link "$link" "$@" >/dev/null &
  sim_pid=$!
  for _ in $(seq 100); do [ -e "$link" ] && break; sleep 0.05; done
  [ -e "$link" ] || fail "tester-sim did not start"
  "$here/wine-run" "$state" --start
}


# expect NAME STATUS TEXT -- ARGUMENT...: kavel-cli.exe ends with STATUS and
# prints TEXT (on standard output or error).
expect() {
  local name=$1 status=$2 text=$3
  shift 4
  local output actual=0
  output=$("$here/wine-run" "$state" "$cli" "$@" 2>&1) || actual=$?
  if [ "$actual" != "$status" ] || [[ "$output" != *"$text"* ]]; then
    fail "$name: status $actual, wanted $status with \"$text\"; printed: $output"
  else
    echo "ok: $name"
  fi
}

# changed_bytes: the bytes of the EEPROM image that differ from the
# original, as "offset:old:new" in hexadecimal, offsets from 0.
changed_bytes() {
  local offset old new
  cmp -l "$scratch/original.bin" "$scratch/eeprom.bin" | while read -r offset old new; do
    printf '%d:%02X:%02X ' $((offset - 1)) $((8#$old)) $((8#$new))
  done || true  # cmp fails when the images differ, which is the point here
}

expect_image() {
  local name=$1 wanted=$2 actual
  actual=$(changed_bytes)
  if [ "$actual" != "$wanted" ]; then fail "$name: EEPROM changes \"$actual\", wanted \"$wanted\""; fi
}

"$here/wine-run" "$state" reg add 'HKLM\Software\Wine\Ports' /v COM7 /d "$link" /f >/dev/null

# The model's own image, as the simulator saves it when it ends.
"$simulator" --eeprom "$scratch/eeprom.bin" --link "$link" >/dev/null &
for _ in $(seq 100); do [ -e "$link" ] && break; sleep 0.05; done
kill $!
wait $! 2>/dev/null || true
cp "$scratch/eeprom.bin" "$scratch/original.bin"

start_tester
expect Identify 0 "model: TVA-740" -- identify --port COM7
expect VoltageRead 0 "voltage: 220" -- voltage --port COM7
expect VoltageWrite 0 "voltage: 230" -- voltage --port COM7 230 --yes
# The voltage word 0x875C -> 0x8766 and its balance word 0x1234 -> 0x123E.
expect_image VoltageWriteImage "40:5C:66 126:34:3E "
expect AutoBasic 0 "" -- auto --port COM7 --basic --yes
auto_before=$(od -An -tx1 -j144 -N1 "$scratch/original.bin" | tr -d ' ' | tr a-f A-F)
expect_image AutoBasicImage "40:5C:66 126:34:3E 144:$auto_before:44 "
expect NoSuchPort 2 "COM8" -- identify --port COM8
expect NotAVoltage 1 "" -- voltage --port COM7 225
# Ctrl+C at the question (Wine passes SIGINT on as the console's event): a
# no, at once, nothing written; its input stays open until it has ended.
mkfifo "$scratch/answer"
exec 9<>"$scratch/answer"
"$here/wine-run" "$state" "$cli" voltage --port COM7 220 <"$scratch/answer" >/dev/null \
  2>"$scratch/question" &
asking=$!
for _ in $(seq 300); do grep -q 'y/N' "$scratch/question" && break; sleep 0.1; done
kill -INT "$asking"
for _ in $(seq 100); do kill -0 "$asking" 2>/dev/null || break; sleep 0.1; done
kill -0 "$asking" 2>/dev/null && fail "InterruptedAtTheQuestion: still waiting after Ctrl+C"
exec 9>&-
status=0
wait "$asking" || status=$?
[ "$status" = 6 ] || fail "InterruptedAtTheQuestion: status $status, wanted 6"
expect_image InterruptedAtTheQuestionImage "40:5C:66 126:34:3E 144:$auto_before:44 "
# The version the build stamped into the program's resource.
expect Version 0 "kavel-cli $version" -- --version
# A Polish Windows (code page 1250) and a profile folder with Polish letters:
# without --port, the port the settings file in %APPDATA% remembers. The
# locale is made here, for Wine alone.
mkdir -p "$scratch/locale"
localedef -i pl_PL -f UTF-8 "$scratch/locale/pl_PL.UTF-8" || true
appdata="$state/prefix/drive_c/users/Paweł/AppData/Roaming"
mkdir -p "$appdata/kavel-setup"
printf '[Main Setings]\r\nSerial port=COM7\r\n' >"$appdata/kavel-setup/kavel-setup.ini"
LOCPATH="$scratch/locale" LC_ALL=pl_PL.UTF-8 USER=Paweł \
  expect PolishProfileRemembersThePort 0 "model: TVA-740" -- identify
# A --settings file named in Polish on a Western European Windows, whose
# code page has no Ł.
cp "$appdata/kavel-setup/kavel-setup.ini" "$scratch/Łódź.ini"
expect PolishSettingsArgument 0 "model: TVA-740" -- identify --settings "Z:$scratch/Łódź.ini"
stop_tester

cp "$scratch/eeprom.bin" "$scratch/original.bin"
# The balance word refused, and refused again when put back: it may hold
# either, so the tester may be half-changed, and kavel-cli says so at once.
start_tester --fault nak@write:126
expect RefusedWritePutBack 7 "" -- voltage --port COM7 220 --yes
expect_image RefusedWriteImage ""
stop_tester

start_tester --fault no-answer
expect SilentTester 3 "" -- identify --port COM7
stop_tester

start_tester --model DKL-330
expect WrongModel 5 "" -- voltage --port COM7 230 --yes
stop_tester

verdict kavel-cli.exe
