#!/usr/bin/env bash
# Brings translations/*.ts up to date with the sources: new strings come in
# unfinished, strings no longer in the code are dropped. Translate the
# unfinished entries (Qt Linguist or an editor) before committing;
# tst_translations fails while any is left.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-$(command -v lupdate6 || echo /usr/lib/qt6/bin/lupdate)}
"$lupdate" -no-obsolete -locations none src -ts translations/vireo_*.ts
# What is left to translate, per catalogue.
grep -c 'type="unfinished"' translations/vireo_*.ts || true
