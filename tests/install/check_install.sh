#!/bin/sh
# Installs a build into a temporary prefix and checks that the program, its resources, its
# menu entry, its icons and its design file type land in their XDG places, and that the
# installed program fills a new user's resource folder from the installed resources and opens
# the design named on its command line, or by the desktop's file opener where it is installed.
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
# The install made the MIME database a file opener goes by, and it matches design files.
if command -v update-mime-database >/dev/null 2>&1; then
    grep -q '^50:application/x-galavite-design:\*\.dcard$' "$prefix/share/mime/globs2" 2>/dev/null \
        || fail "the install did not rebuild the MIME database to know *.dcard as the design file type"
fi

# A staged install (DESTDIR) leaves the databases to the package; one that cannot be made is
# a warning, not a failed install.
DESTDIR=$work/stage cmake --install "$build" --prefix /opt/galavite >/dev/null || fail "a staged install failed"
[ ! -e "$work/stage/opt/galavite/share/mime/globs2" ] || fail "a staged install rebuilt the MIME database"
mkdir -p "$work/failing"
printf '#!/bin/sh\nexit 3\n' >"$work/failing/update-mime-database"
chmod +x "$work/failing/update-mime-database"
PATH="$work/failing:$PATH" cmake --install "$build" --prefix "$work/other" >"$work/other.log" 2>&1 \
    || fail "an install whose MIME database cannot be made failed: $(cat "$work/other.log")"
grep -q "update-mime-database $work/other/share/mime failed" "$work/other.log" \
    || fail "no warning that the MIME database was not made: $(cat "$work/other.log")"

# The application database a file opener (gio open) goes by names Galavite for designs.
opener=
if command -v update-desktop-database >/dev/null 2>&1; then
    grep -q '^application/x-galavite-design=.*galavite\.desktop' "$prefix/share/applications/mimeinfo.cache" 2>/dev/null \
        || fail "the install did not rebuild the application database for design files"
    if command -v gio >/dev/null 2>&1 && command -v update-mime-database >/dev/null 2>&1; then
        opener=gio
    fi
fi

# A file only the installed resources hold must reach the new user's folder, and the design
# named opens, from the file opener as a file manager opens it, or else from a shell: the
# program locks it once it is open.
touch "$prefix/share/galavite/resources/installed-only.txt"
seeded=$work/home/data/Galavite/Resources/installed-only.txt
cp "$prefix/share/galavite/resources/Templates/Membership Card.dcard" "$work/member card.dcard"
opened=$work/.member\ card.dcard.lock
user() {
    HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config QT_QPA_PLATFORM=offscreen \
        XDG_DATA_DIRS="$prefix/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" PATH="$prefix/bin:$PATH" LC_ALL=C "$@"
}
if [ "$opener" = gio ]; then
    # Straight after the install, as a person opens it: nothing run by hand in between.
    user gio info -a standard::content-type "$work/member card.dcard" | grep -q 'application/x-galavite-design' \
        || fail "gio does not know a design by its type: $(user gio info -a standard::content-type "$work/member card.dcard" 2>&1)"
    user gio mime application/x-galavite-design | head -n 1 | grep -q 'galavite\.desktop' \
        || fail "gio names no Galavite for design files: $(user gio mime application/x-galavite-design 2>&1)"
    user gio open "$work/member card.dcard" >/dev/null 2>&1 || fail "gio open failed"
    program=
else
    user galavite "$work/member card.dcard" >/dev/null 2>&1 &
    program=$!
fi
tries=0
# The program waits in its window once the design is open. A loaded machine may take long to
# start it: ten minutes at most.
while [ ! -s "$opened" ] && [ "$tries" -lt 6000 ] && { [ -z "$program" ] || kill -0 "$program" 2>/dev/null; }; do
    sleep 0.1
    tries=$((tries + 1))
done
# Started by the opener, the program is known by the process its lock names.
[ -n "$program" ] || program=$(sed -n 2p "$opened" 2>/dev/null)
if [ -n "$program" ]; then
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null
    tries=0
    while kill -0 "$program" 2>/dev/null && [ "$tries" -lt 6000 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
fi
[ -f "$seeded" ] || fail "the installed program did not fill the user's folder from its installed resources"
[ -s "$opened" ] || fail "the installed program did not open the design named${opener:+ by $opener open}"
echo "installed and started${opener:+ by $opener open} from $prefix"
