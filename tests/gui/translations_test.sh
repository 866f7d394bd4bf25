#!/usr/bin/env bash
# The English translation is up to date with the code and finished: lupdate over the code
# changes nothing in it, and lrelease finds no text without its translation.
# Arguments: the source folder, lupdate, lrelease.
set -euo pipefail
source_dir=$1
export LUPDATE=$2
lrelease=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$source_dir/scripts/update-translations.sh" "$work/mxt_en.ts"
if ! diff -u "$source_dir/resources/translations/mxt_en.ts" "$work/mxt_en.ts"; then
  echo "The translation is not up to date: run scripts/update-translations.sh" >&2
  exit 1
fi
report=$("$lrelease" "$work/mxt_en.ts" -qm "$work/mxt_en.qm")
echo "$report"
grep -q ' 0 unfinished)' <<<"$report"
