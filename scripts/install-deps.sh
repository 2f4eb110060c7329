#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, skipping the
# ones already there, and Breakpad's minidump reader for the crash tests.
# Run as root on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake g++ make
    qtbase5-dev zlib1g-dev
    # The maker's reference server's HTTP, found through pkg-config.
    libcpp-httplib-dev pkgconf
    # lupdate, lrelease and lconvert; the toolkit's own Polish catalogue.
    qttools5-dev-tools qttranslations5-l10n
    # The font the window tests are measured with.
    fonts-dejavu-core
    # scripts/screenshots.sh; scripts/render-images.sh (Play letters the logo).
    xvfb xauth librsvg2-bin fonts-play
)
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
