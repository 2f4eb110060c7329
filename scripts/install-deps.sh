#!/usr/bin/env bash
# Installs the Debian packages that building and testing need
# (scripts/debian-packages.txt), skipping the ones already there, and
# Breakpad's minidump reader for the crash tests.
# Run as root on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t packages < <(sed 's/#.*//' scripts/debian-packages.txt | tr -s ' \t' '\n' | sed '/^$/d')
# npm brings Breakpad's reader below; a node installed otherwise will do.
if ! command -v npm >/dev/null 2>&1; then
    packages+=(npm)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The npm package "minidump" carries prebuilt minidump_dump,
# minidump_stackwalk and dump_syms; its install scripts would only build
# them again from source.
breakpad_tools=tools/breakpad/node_modules/minidump/bin/linux-x64
if [ ! -x "$breakpad_tools/minidump_stackwalk" ]; then
    echo "Installing Breakpad's minidump reader into tools/breakpad"
    (cd tools/breakpad && npm install --ignore-scripts --no-package-lock --no-audit --no-fund --loglevel=error)
fi

# LinuxCNC's stand-alone interpreter checks that a machine accepts what we
# write (tests/cli/tst_interpreteracceptance). Its package would pull in a
# desktop's worth of dependencies, so it and the few libraries it loads that
# the system lacks are only unpacked, into tools/rs274.
rs274_root=$PWD/tools/rs274/root
rs274_libraries="$rs274_root/usr/lib:$rs274_root/usr/lib/x86_64-linux-gnu"
rs274_missing() {
    LD_LIBRARY_PATH="$rs274_libraries" ldd "$rs274_root/usr/bin/rs274" | awk '/not found/ {print $1}' | sort -u
}
if [ ! -x "$rs274_root/usr/bin/rs274" ] || [ -n "$(rs274_missing)" ]; then
    echo "Unpacking LinuxCNC's rs274 into tools/rs274"
    mkdir -p tools/rs274/debs
    # Package lists that were never fetched (nothing above needed
    # installing) are fetched once; without the network the test skips,
    # and building goes on.
    rs274_download() { (cd tools/rs274/debs && apt-get download "$@"); }
    rs274_download linuxcnc-uspace libboost-python1.74.0 ||
        { apt-get update -qq && rs274_download linuxcnc-uspace libboost-python1.74.0; } ||
        echo "Could not download LinuxCNC; tst_interpreteracceptance will skip"
    shopt -s nullglob
    for deb in tools/rs274/debs/*.deb; do dpkg -x "$deb" "$rs274_root"; done
    # A library the system lacks (libpython3.11.so.1.0) comes from the
    # package of the same name.
    for library in $(rs274_missing 2>/dev/null); do
        (cd tools/rs274/debs && apt-get download "${library%%.so*}") ||
            echo "No package is named after $library; tst_interpreteracceptance will skip"
    done
    for deb in tools/rs274/debs/*.deb; do dpkg -x "$deb" "$rs274_root"; done
fi
