#!/bin/sh
# The English catalogue against the code: po/en.po compiles with no fuzzy and no
# untranslated entry, and every text the code shows (each Japanese text wrapped in _(),
# N_(), P_() or NG_(), with its context) has its English there, with the same printf
# arguments. A new text without its English fails here, named with where it is written.
# usage: tools/catalogcheck.sh [SOURCE_DIR]
#        tools/catalogcheck.sh --unwrapped [SOURCE_DIR]   also lists, without failing, the
#        Japanese literals of the code that are not wrapped (file texts among them)
set -eu
export LC_ALL=C.UTF-8  # the tools read the texts as UTF-8 whatever the caller's locale
unwrapped=
if [ "${1:-}" = --unwrapped ]; then unwrapped=1; shift; fi
cd "${1:-$(dirname "$0")/..}"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "catalogue check: $*" >&2; exit 1; }

# the catalogue alone
msgfmt --check --statistics -o /dev/null po/en.po 2>"$tmp/stats" || { cat "$tmp/stats" >&2; fail "po/en.po does not compile"; }
grep -Eq 'fuzzy|untranslated' "$tmp/stats" && { cat "$tmp/stats" >&2; fail "po/en.po has fuzzy or untranslated entries"; }

# the texts of the code
find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort >"$tmp/files"
# (xgettext warns of every id that is not ASCII: all of them are, on purpose)
xgettext --from-code=UTF-8 --language=C++ --keyword=_ --keyword=N_ --keyword=P_:1c,2 \
    --keyword=NG_:1,2 --add-location=file -f "$tmp/files" -o "$tmp/code.pot" \
    2>"$tmp/xgettext" || { cat "$tmp/xgettext" >&2; fail "xgettext cannot read the code"; }
[ -s "$tmp/code.pot" ] || fail "no text found in src/"

# the catalogue laid over them exactly (no guessing of near ids): an id of the code without
# its English comes out untranslated; the formats are checked as the code's flags say
msgmerge --quiet --no-fuzzy-matching --no-wrap -o "$tmp/merged.po" po/en.po "$tmp/code.pot"
msgattrib --untranslated --no-obsolete --no-wrap -o "$tmp/missing.po" "$tmp/merged.po"
if [ -s "$tmp/missing.po" ]; then
    n=$(grep -c '^msgid ' "$tmp/missing.po")
    echo "texts of the code without their English in po/en.po ($((n - 1))):" >&2
    sed -n '/^#: /p; /^msgctxt /p; /^msgid /p; /^msgid_plural /p' "$tmp/missing.po" | grep -v '^msgid ""$' >&2
    fail "every text the game shows needs its English in po/en.po"
fi
# msgmerge marks fuzzy an English whose printf arguments are not the Japanese text's
msgattrib --only-fuzzy --no-obsolete --no-wrap -o "$tmp/formats.po" "$tmp/merged.po"
if [ -s "$tmp/formats.po" ] || ! msgfmt --check -o /dev/null "$tmp/merged.po"; then
    sed -n '/^#: /p; /^msgctxt /p; /^msgid /p; /^msgstr/p' "$tmp/formats.po" | grep -v '^msg\(id\|str\) ""$' >&2
    fail "an English format does not take the arguments of its Japanese one"
fi
obsolete=$(msgattrib --only-obsolete "$tmp/merged.po" | grep -c '^#~ msgid ' || true)
[ "$obsolete" -eq 0 ] || echo "catalogue check: $obsolete entries of po/en.po are no longer in the code (msgattrib --only-obsolete shows them)"

if [ -n "$unwrapped" ]; then
    xgettext --from-code=UTF-8 --language=C++ --extract-all --add-location=file \
        --no-wrap -f "$tmp/files" -o "$tmp/all.pot" 2>/dev/null
    msgcomm --unique --no-wrap -o - "$tmp/all.pot" "$tmp/code.pot" 2>/dev/null |
        awk '/^#: /{at=$0} /^msgid "/{ if ($0 ~ /[\200-\377]/) print at "\n" $0 }'
fi
echo "catalogue check: $(cat "$tmp/stats")"
