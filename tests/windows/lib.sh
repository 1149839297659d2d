# Shared by the Windows test scripts, sourced first: strict mode, the folder
# of the scripts ($here), the arguments by name, and one verdict per case.

set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# arguments NAME... -- "$@": the script's arguments as variables, in order; a
# missing one ends the script with its usage line.
arguments() {
  local names=() name
  while [ "$1" != -- ]; do names+=("$1"); shift; done
  shift
  if [ $# -lt ${#names[@]} ]; then
    echo "usage: $(basename "$0") ${names[*]^^}" >&2
    exit 2
  fi
  for name in "${names[@]}"; do
    printf -v "$name" '%s' "$1"
    shift
  done
}

failures=0
fail() {  # fail TEXT: a case that did not pass; the run goes on
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
check() {  # check NAME COMMAND...: one verdict
  if "${@:2}"; then echo "ok: $1"; else fail "$1"; fi
}
# verdict [WHAT]: the run's end, failed when any case did.
verdict() {
  [ "$failures" -eq 0 ] || { echo "$failures failed" >&2; exit 1; }
  echo "${1:+$1: }every case passed"
}
