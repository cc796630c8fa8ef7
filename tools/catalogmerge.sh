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

# msgcat reads a file's charset from its header: every fragment gets po/en.po's, in place
# of any of its own
sed -n '1,/^$/p' po/en.po >"$tmp/header"
i=0
for f; do
    i=$((i + 1))
    { cat "$tmp/header"
      # a header is a first entry whose msgid "" is followed by its msgstr at once
      awk 'state == "in" { if (/^$/) state = "past"; next }
           state == "past" { print; next }
           state == "maybe" { if (/^msgstr/) { state = "in"; next } printf "%s", kept; state = "past"; print; next }
           /^msgid ""$/ { kept = kept $0 "\n"; state = "maybe"; next }
           /^msgid / { printf "%s", kept; state = "past"; print; next }
           { kept = kept $0 "\n" }' "$f"; } >"$tmp/$i.po"
done
msgcat $first --no-wrap -o "$tmp/en.po" po/en.po $(seq -f "$tmp/%g.po" 1 "$i")
# (a translator's comment that differs is only marked, and the marks dropped)
if [ -z "$first" ] && grep -q '^msgstr.*#-#-#-#-#\|^"#-#-#-#-#' "$tmp/en.po"; then
    echo "texts given different English (keep one, or run with --first):" >&2
    msgattrib --only-fuzzy --no-obsolete --no-wrap "$tmp/en.po" >&2
    exit 1
fi
grep -v '^# #-#-#-#-#' "$tmp/en.po" >po/en.po
tools/catalogcheck.sh
