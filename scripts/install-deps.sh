#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, skipping the
# ones already there. Run as root on Debian 12.
set -euo pipefail

packages=(
    cmake g++ make
    qtbase5-dev zlib1g-dev
    # lupdate, lrelease and lconvert; the toolkit's own Polish catalogue.
    qttools5-dev-tools qttranslations5-l10n
    # The font the window tests are measured with.
    fonts-dejavu-core
    # scripts/screenshots.sh; scripts/render-images.sh (Play letters the logo).
    xvfb xauth librsvg2-bin fonts-play
)

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
