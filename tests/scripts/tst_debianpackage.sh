#!/usr/bin/env bash
# The Debian package that CPack makes from a build's install rules holds
# both programs, the desktop entry, the manual and Debian's documents, all
# root's, depends on the Qt libraries that dpkg-shlibdeps found the programs
# to need, and its stripped travina-convert still converts the examples.
#   tst_debianpackage.sh CPACK BUILD-DIR EXAMPLES-DIR SANITIZED
set -uo pipefail
cpack=$1
build=$2
examples=$3
sanitized=$4
command -v dpkg-deb >/dev/null || { echo "no dpkg-deb here"; exit 77; }
# Programs built with the sanitizers would make a package that needs their
# run-time libraries and that nobody would install; the normal build's run
# of this test checks the same install rules.
if [ "$sanitized" = 1 ]; then
    echo "a sanitizer build is not packaged"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The package goes to the temporary directory; its files are the build
# tree's own, which CPack rebuilds only if they are out of date.
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL cpack"
    echo "0 passed, 1 failed"
    exit 1
fi
shopt -s nullglob
debs=("$work"/out/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
    echo "FAIL one package expected, CPack made: ${debs[*]}"
    echo "0 passed, 1 failed"
    exit 1
fi
deb=${debs[0]}
dpkg-deb --contents "$deb" >"$work/contents"
dpkg-deb --info "$deb" >"$work/info"
depends=$(dpkg-deb --field "$deb" Depends)

passed=0
failed=0
check() { # what, command...
    if "${@:2}"; then
        echo "PASS $1"
        passed=$((passed + 1))
    else
        echo "FAIL $1"
        failed=$((failed + 1))
    fi
}
# "-rwxr-xr-x root/root  123456 2026-01-01 12:00 ./usr/bin/travina"
holds() { # mode, path under /usr
    grep -qE "^$1 root/root +[0-9]+ [0-9-]+ [0-9:]+ \./usr/$2\$" "$work/contents"
}
depends_on() {
    [[ ", $depends," =~ ,\ $1[\ ,] ]]
}
named_as_debian_wants() {
    [ "$(basename "$deb")" = "$(dpkg-deb --field "$deb" Package)_$(dpkg-deb --field "$deb" Version | sed 's/^[0-9]*://')_$(dpkg-deb --field "$deb" Architecture).deb" ]
}
all_roots() {
    ! awk '{ print $2 }' "$work/contents" | grep -qv '^root/root$'
}

check "named package_version_architecture.deb" named_as_debian_wants
check "travina" holds -rwxr-xr-x bin/travina
check "travina-convert" holds -rwxr-xr-x bin/travina-convert
check "desktop entry" holds -rw-r--r-- share/applications/travina.desktop
check "MIME type" holds -rw-r--r-- share/mime/packages/travina.xml
check "icon" holds -rw-r--r-- share/icons/hicolor/48x48/apps/travina.png
check "manual page" holds -rw-r--r-- share/man/man1/travina-convert.1.gz
check "copyright" holds -rw-r--r-- share/doc/travina/copyright
check "changelog" holds -rw-r--r-- share/doc/travina/changelog.Debian.gz
check "every file root's" all_roots
for library in libqt5core5a libqt5gui5 libqt5widgets5 libqt5network5 libc6; do
    check "depends on $library" depends_on "$library"
done

dpkg-deb --extract "$deb" "$work/root"
check "stripped" bash -c "file -L '$work/root/usr/bin/travina-convert' | grep -q ', stripped'"
mkdir "$work/gcode" "$work/home"
if HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    "$work/root/usr/bin/travina-convert" --quiet --output "$work/gcode" "$examples"/* >"$work/convert.log" 2>&1; then
    converted=yes
else
    converted=no
fi
check "packaged travina-convert converts the examples" [ "$converted" = yes ]

if [ "$failed" -gt 0 ]; then
    echo "--- contents"; cat "$work/contents"
    echo "--- info"; cat "$work/info"
    echo "--- travina-convert"; cat "$work/convert.log"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
