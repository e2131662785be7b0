#!/usr/bin/env bash
# Refreshes translations/velmora_*.ts from the sources with Qt's lupdate: new texts are added
# as unfinished, texts no longer in the sources are dropped, every translation is kept.
# Run from anywhere after changing user-visible texts (`make translations`), then translate
# the unfinished entries (Qt Linguist, or any editor) and run `ctest -R translations_check`.
#
# Texts are found in qsTranslate("Velmora", ...), QCoreApplication::translate("Velmora", ...)
# and QT_TRANSLATE_NOOP("Velmora", ...); a key that is built at run time (plural keys, raw
# values shown as names) must be marked with QT_TRANSLATE_NOOP where it is defined.
# A new language: create translations/velmora_XX.ts with
#   lupdate ... -target-language XX -ts translations/velmora_XX.ts
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
lupdate="${LUPDATE:-/usr/lib/qt6/bin/lupdate}"
[ -x "$lupdate" ] || lupdate="$(command -v lupdate6 || command -v lupdate)"
out="${1:-$root/translations}"

cd "$root"
shopt -s nullglob
files=("$out"/velmora_*.ts)
[ ${#files[@]} -gt 0 ] || { echo "update-translations: no velmora_*.ts in $out" >&2; exit 1; }
# No source locations: they would change with every edit of the code and make every branch's
# tables conflict.
"$lupdate" -silent -locations none -no-obsolete -no-ui-lines -source-language en \
  -extensions cpp,h,qml ui app engine -ts "${files[@]}"
