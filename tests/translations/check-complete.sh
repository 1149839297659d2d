#!/usr/bin/env bash
# Refreshes a copy of each translation from the sources, as
# ./scripts/translations does, and fails while a text of the windows has no
# finished translation there: a new text (lupdate brings it in unfinished), a
# changed one, or one a translator left unfinished or empty.
#   check-complete.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
# The program's own; qt-texts_pl.ts holds Qt's contexts, which lupdate would drop.
for ts in "$source_dir"/translations/kavel-setup_*.ts; do
  copy="$scratch/$(basename "$ts")"
  cp "$ts" "$copy"
  "$source_dir/scripts/translations" "$copy"
  # Each message's source, then its translation, on one line.
  unfinished=$(tr '\n' ' ' <"$copy" | sed 's#</message>#&\n#g' |
    grep -E 'type="unfinished"|<translation></translation>|<translation/>' |
    sed -n 's#.*<source>\(.*\)</source>.*#\1#p' || true)
  if [ -n "$unfinished" ]; then
    echo "$(basename "$ts"): no finished translation of:" >&2
    echo "$unfinished" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "every text of the windows is translated"
exit "$status"
