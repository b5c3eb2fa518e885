#!/bin/sh
# Installs a build into a temporary prefix and checks that the program, its resources, its
# menu entry and its icons land in their XDG places, and that the installed program fills a
# new user's resource folder from the installed resources.
set -u
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
    echo "$1"
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
for file in bin/galavite share/applications/galavite.desktop share/galavite/resources/no.png \
    share/icons/hicolor/48x48/apps/galavite.png share/icons/hicolor/128x128/apps/galavite.png \
    share/icons/hicolor/256x256/apps/galavite.png; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ -x "$prefix/bin/galavite" ] || fail "the program is not executable"
[ ! -e "$prefix/share/galavite/resources/generators" ] || fail "the picture generators were installed"
entry=$prefix/share/applications/galavite.desktop
grep -qx 'Exec=galavite' "$entry" || fail "the menu entry does not start galavite"
grep -qx 'Icon=galavite' "$entry" || fail "the menu entry names no icon"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" || fail "the menu entry is not valid"
fi

# A file only the installed resources hold must reach the new user's folder.
touch "$prefix/share/galavite/resources/installed-only.txt"
seeded=$work/home/data/Galavite/Resources/installed-only.txt
HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/galavite" >/dev/null 2>&1 &
program=$!
tries=0
# The program waits in its start-up wizard once the folder is filled. A loaded machine may
# take long to start it: ten minutes at most.
while [ ! -f "$seeded" ] && [ "$tries" -lt 6000 ] && kill -0 "$program" 2>/dev/null; do
    sleep 0.1
    tries=$((tries + 1))
done
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
[ -f "$seeded" ] || fail "the installed program did not fill the user's folder from its installed resources"
echo "installed and started from $prefix"
