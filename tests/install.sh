#!/bin/sh
# The installed game: started from folders of no importance, it reads the installed maps
# and keeps the player's files in the XDG data folder, writing nothing where it runs;
# started from the game's own folder it keeps them there. It finds its English catalogue,
# and the manual page renders cleanly.
# usage: install.sh BUILD_DIR SOURCE_DIR        (installed with cmake --install)
#        install.sh --deb PACKAGE SOURCE_DIR   (unpacked from the Debian package)
set -eu
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

if [ "$1" = --deb ]; then
    dpkg-deb -x "$2" "$tmp/prefix"
    share="$tmp/prefix/usr/share"
    game="$tmp/prefix/usr/games/kurashi"
    for f in copyright changelog.gz README.md; do [ -f "$share/doc/kurashi/$f" ] || fail "no $f"; done
    [ "$(dpkg-deb -f "$2" Version)" = "$("$game" --version | cut -d' ' -f2)" ] || fail "not the program's version"
    src=$3
else
    cmake --install "$1" --prefix "$tmp/prefix" >/dev/null
    share="$tmp/prefix/share"
    game="$tmp/prefix/bin/kurashi"
    src=$2
fi
[ -x "$game" ] || fail "no installed program"
if [ "$(git -C "$src" rev-parse --show-toplevel 2>/dev/null)" = "$src" ]; then
    "$game" --version | grep -q "(git $(git -C "$src" rev-parse --short HEAD)" ||
        fail "--version is not of the commit checked out (built before it?): $("$game" --version)"
fi
[ -f "$share/kurashi/map/sea/map5" ] || fail "no installed maps"
gzip -t "$share/man/man6/kurashi.6.gz" || fail "no installed manual page"
[ -f "$share/locale/en/LC_MESSAGES/kurashi.mo" ] || fail "no installed English catalogue"

export XDG_DATA_HOME="$tmp/xdg" XDG_CONFIG_HOME="$tmp/config"
mkdir "$tmp/one" "$tmp/two"

# a new game, saved in place a, then quit
cd "$tmp/one"
printf 'ahero\nbjay k' | "$game" --plain --seed 3 >out 2>&1 || true
grep -q 'セーブしました' out || fail "the new game was not saved"
rm out
[ -f "$XDG_DATA_HOME/kurashi/save/save0" ] || fail "the save is not in the XDG data folder"
[ -z "$(ls -A "$tmp/one")" ] || fail "something was written where the game ran"

# started again elsewhere, it loads that game
cd "$tmp/two"
printf 'baia' | "$game" --plain >out 2>&1 || true
grep -q '名前:hero(Lv.1)' out || fail "the saved game did not load"
rm out
[ -z "$(ls -A "$tmp/two")" ] || fail "something was written where the game ran"
"$game" --help | grep -q "saves:       $XDG_DATA_HOME/kurashi/save" || fail "--help names other folders"
"$game" --help | grep -q "options:     $XDG_CONFIG_HOME/kurashi/kurashi.ini" ||
    fail "--help names another options file"
# in English, whatever the locale says, with the field's help on the way
printf 'ahero\nbca?' | LANG=C LANGUAGE=fr "$game" --plain --lang en >out 2>&1 || true
grep -q 'arrow keys: move' out || fail "the installed game does not speak English"
rm out

# from a folder holding map/, the saves stay there
mkdir "$tmp/own"
ln -s "$share/kurashi/map" "$tmp/own/map"
cd "$tmp/own"
printf 'ahero\nbjay k' | "$game" --plain --seed 3 >/dev/null 2>&1 || true
[ -f "$tmp/own/save/save0" ] || fail "run from its own folder, the game did not save there"

if command -v groff >/dev/null 2>&1; then
    warnings=$(groff -t -man -ww -Tutf8 -z "$src/doc/kurashi.6" 2>&1)
    [ -z "$warnings" ] || fail "the manual page has warnings: $warnings"
fi
echo "install test: passed"
