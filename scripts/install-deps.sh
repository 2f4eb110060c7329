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
