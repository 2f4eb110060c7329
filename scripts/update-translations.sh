#!/usr/bin/env bash
# Brings resources/travina_pl.ts up to date with the texts in the code and
# the forms. Translate the new entries (Qt Linguist, or by hand) and commit.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate -no-obsolete -locations none src/app src/style src/drawing src/formats src/conversion src/update src/crash -ts resources/travina_pl.ts
