#!/usr/bin/env bash
# Checks that every CMake package configuration a build found (the *_DIR
# entries of its cache) comes from a Debian package that
# scripts/install-deps.sh installs, so that a fresh machine finds it too.
#   check-packages.sh CMAKE-CACHE [PACKAGE-LIST]
set -euo pipefail
cache=$1
list=${2:-"$(dirname "$0")/debian-packages.txt"}

listed=" $(sed 's/#.*//' "$list" | tr -s ' \t\n' ' ') "
faults=0
while IFS= read -r entry; do
    name=${entry%%:*}
    directory=${entry#*=}
    [ -d "$directory" ] || continue
    # Named as find_package looks for it, so that another file that ends
    # the same way (CPack's CPackConfig.cmake in the build tree) is no
    # package configuration.
    config_name=${name%_DIR}
    config=$directory/${config_name}Config.cmake
    [ -f "$config" ] || config=$directory/${config_name,,}-config.cmake
    [ -f "$config" ] || continue
    if ! owner=$(dpkg-query -S "$config" 2>/dev/null); then
        echo "$name=$directory: not from a Debian package"
        faults=$((faults + 1))
        continue
    fi
    # "qtbase5-dev:amd64: /usr/lib/.../Qt5Config.cmake"
    package=${owner%%: *}
    package=${package%%:*}
    if [[ "$listed" != *" $package "* ]]; then
        echo "$name=$directory: from $package, which $(basename "$list") does not name"
        faults=$((faults + 1))
    fi
done < <(grep -E '^[A-Za-z0-9_]+_DIR:(PATH|INTERNAL|STRING)=' "$cache" || true)

if [ "$faults" -gt 0 ]; then
    exit 1
fi
echo "every package configuration the build found is installed by scripts/install-deps.sh"
