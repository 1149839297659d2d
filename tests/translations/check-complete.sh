#!/usr/bin/env bash
# Refreshes a copy of each translation from the sources, as
# ./scripts/translations does, and fails while a text of the windows has no
# finished translation there: a new text (lupdate brings it in unfinished), a
# changed one, or one a translator left unfinished or empty; and while a
# translation loses a %1, %2, ... of its source, or the access key ("&") of
# a source that has one.
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
  # A value the program fills in, or an access key, lost in translation.
  markers() { grep -o '%[0-9]' <<<"$1" | sort | tr -d '\n'; }
  lost=$(tr '\n' ' ' <"$copy" | sed 's#</message>#&\n#g' | grep '<source>' |
    while IFS= read -r message; do
      source=$(sed 's#.*<source>\(.*\)</source>.*#\1#' <<<"$message")
      translation=$(sed -n 's#.*<translation>\(.*\)</translation>.*#\1#p' <<<"$message")
      # A text with a count is translated once for each plural form.
      while IFS= read -r form; do
        if [ "$(markers "$source")" != "$(markers "$form")" ] ||
          { grep -qE '&amp;[[:alnum:]]' <<<"$source" && ! grep -qE '&amp;[^ ]' <<<"$form"; }; then
          echo "$source"
          break
        fi
      done < <(sed 's#</numerusform>#\n#g; s#<numerusform>##g' <<<"$translation" | grep -v '^ *$')
    done)
  if [ -n "$lost" ]; then
    echo "$(basename "$ts"): a %n or an access key lost in the translation of:" >&2
    echo "$lost" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "every text of the windows is translated"
exit "$status"
