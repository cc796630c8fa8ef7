#!/bin/sh
# Gathers English kept in fragments (plain PO entries, UTF-8, no header needed) into
# po/en.po, then checks the catalogue against the code (tools/catalogcheck.sh).
# A text given two different Englishes is listed and nothing is written, unless --first
# says to keep the one met first (po/en.po's own, then the fragments in the order given).
# usage: tools/catalogmerge.sh [--first] FRAGMENT.po...
set -eu
export LC_ALL=C.UTF-8
first=
if [ "${1:-}" = --first ]; then first=--use-first; shift; fi
[ $# -gt 0 ] || { echo "usage: tools/catalogmerge.sh [--first] FRAGMENT.po..." >&2; exit 2; }
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# the catalogue's own header, given to every fragment so that msgcat sees one header
sed '/^$/q' po/en.po >"$tmp/header"
i=0
for f; do
    i=$((i + 1))
    # msgcat reads a file's charset from its header: a fragment without one gets the catalogue's
    if grep -v '^#' "$f" | grep -v '^$' | head -2 | tr '\n' ' ' | grep -q '^msgid "" msgstr'; then
        cp "$f" "$tmp/$i.po"
    else
        cat "$tmp/header" "$f" >"$tmp/$i.po"
    fi
done
msgcat $first --no-wrap -o "$tmp/en.po" po/en.po $(seq -f "$tmp/%g.po" 1 "$i")
if [ -z "$first" ] && msgattrib --only-fuzzy --no-obsolete "$tmp/en.po" | grep -q '^#-#-#-#-#'; then
    echo "texts given different English (keep one, or run with --first):" >&2
    msgattrib --only-fuzzy --no-obsolete --no-wrap "$tmp/en.po" | grep -v '^#-#-#-#-#  .* #-#-#-#-#$' >&2
    exit 1
fi
cp "$tmp/en.po" po/en.po
tools/catalogcheck.sh
