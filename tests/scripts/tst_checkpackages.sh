#!/usr/bin/env bash
# The package check fails for a configuration whose package the install
# script does not name, and for one no package owns.
#   tst_checkpackages.sh CHECK-SCRIPT QT5-DIR
set -uo pipefail
check=$1
qt_dir=$2
command -v dpkg-query >/dev/null || { echo "no dpkg here"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

expect_fault() { # what, expected message, cache line, package list
    printf '%s\n' "$3" > "$work/CMakeCache.txt"
    printf '%s\n' "$4" > "$work/packages.txt"
    output=$(bash "$check" "$work/CMakeCache.txt" "$work/packages.txt")
    status=$?
    if [ "$status" -ne 1 ] || [[ "$output" != *"$2"* ]]; then
        echo "FAIL $1: status $status, said: $output"
        return 1
    fi
    echo "PASS $1"
}

owner=$(dpkg-query -S "$qt_dir/Qt5Config.cmake" | sed 's/:.*//')
mkdir -p "$work/local/cmake/Stray"
touch "$work/local/cmake/Stray/StrayConfig.cmake"
failures=0
expect_fault "package not in the list" "from $owner, which packages.txt does not name" \
    "Qt5_DIR:PATH=$qt_dir" "cmake g++ # $owner" || failures=$((failures + 1))
expect_fault "configuration of no package" "Stray_DIR=$work/local/cmake/Stray: not from a Debian package" \
    "Stray_DIR:PATH=$work/local/cmake/Stray" "$owner" || failures=$((failures + 1))
# A build tree holds CPack's CPackConfig.cmake, which no package owns.
mkdir "$work/build"
touch "$work/build/CPackConfig.cmake" "$work/build/CPackSourceConfig.cmake"
printf 'Qt5_DIR:PATH=%s\nTravina_BINARY_DIR:STATIC=%s\nCMAKE_CACHEFILE_DIR:INTERNAL=%s\n' \
    "$qt_dir" "$work/build" "$work/build" > "$work/CMakeCache.txt"
if bash "$check" "$work/CMakeCache.txt" <(echo "$owner") >/dev/null; then
    echo "PASS listed package, CPack's configuration"
else
    echo "FAIL listed package, CPack's configuration"
    failures=$((failures + 1))
fi
echo "$((3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
