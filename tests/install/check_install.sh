#!/bin/sh
# Installs a build into a temporary prefix and checks that the program, its resources, its
# menu entry, its icons and its design file type land in their XDG places, and that the
# installed program fills a new user's resource folder from the installed resources and opens
# the design named on its command line.
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
    share/icons/hicolor/256x256/apps/galavite.png share/mime/packages/galavite.xml; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ -x "$prefix/bin/galavite" ] || fail "the program is not executable"
[ ! -e "$prefix/share/galavite/resources/generators" ] || fail "the picture generators were installed"
entry=$prefix/share/applications/galavite.desktop
grep -qx 'Exec=galavite %F' "$entry" || fail "the menu entry does not start galavite with the files given"
grep -qx 'Icon=galavite' "$entry" || fail "the menu entry names no icon"
grep -qx 'MimeType=application/x-galavite-design;' "$entry" || fail "the menu entry declares no design file type"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" || fail "the menu entry is not valid"
fi
types=$prefix/share/mime/packages/galavite.xml
if command -v xmllint >/dev/null 2>&1; then
    xmllint --noout "$types" || fail "the design file type is not well-formed XML"
fi
# The database a desktop builds from the type must match design files to it.
if command -v update-mime-database >/dev/null 2>&1; then
    mkdir -p "$work/mime/packages" && cp "$types" "$work/mime/packages/"
    update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || fail "the design file type is refused: $(cat "$work/mime.log")"
    grep -q '^50:application/x-galavite-design:\*\.dcard$' "$work/mime/globs2" || fail "*.dcard is not the design file type"
fi

# A file only the installed resources hold must reach the new user's folder, and the design
# named opens: the program locks it once it is open.
touch "$prefix/share/galavite/resources/installed-only.txt"
seeded=$work/home/data/Galavite/Resources/installed-only.txt
cp "$prefix/share/galavite/resources/Templates/Membership Card.dcard" "$work/member card.dcard"
opened=$work/.member\ card.dcard.lock
HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/galavite" "$work/member card.dcard" >/dev/null 2>&1 &
program=$!
tries=0
# The program waits in its window once the design is open. A loaded machine may take long to
# start it: ten minutes at most.
while [ ! -f "$opened" ] && [ "$tries" -lt 6000 ] && kill -0 "$program" 2>/dev/null; do
    sleep 0.1
    tries=$((tries + 1))
done
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
[ -f "$seeded" ] || fail "the installed program did not fill the user's folder from its installed resources"
[ -f "$opened" ] || fail "the installed program did not open the design named on its command line"
echo "installed and started from $prefix"
