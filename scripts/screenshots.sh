#!/usr/bin/env bash
# Builds the program and takes screenshots of its windows under Xvfb: the
# main window empty, with files, during and after a conversion, the preview
# of an example drawing, the format options dialog, the crash reporter with
# its comment box and its details, and all of them in Polish. They land in
# build/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target travina-screenshots -j2
mkdir -p build/screenshots
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
    build/bin/travina-screenshots build/screenshots
ls build/screenshots
