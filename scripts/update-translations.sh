#!/usr/bin/env bash
# Brings the English translation's source up to date with the texts in the code: new texts
# come in unfinished, texts that are gone leave it. Given a file, it updates a copy there
# instead, which is how the tests see whether the source is up to date.
set -euo pipefail
cd "$(dirname "$0")/.."
source=resources/translations/mxt_en.ts
target=${1:-$source}
[ "$target" = "$source" ] || cp "$source" "$target"
"${LUPDATE:-/usr/lib/qt6/bin/lupdate}" -silent -no-obsolete -locations none \
  -source-language ja -target-language en \
  -tr-function-alias QT_TRANSLATE_NOOP+=MXT_MESSAGE \
  -I . -extensions cpp,h gui app fileconv -ts "$target"
