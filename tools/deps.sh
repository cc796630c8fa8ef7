#!/bin/sh
# Installs what is missing (Debian and its kin), as root or through sudo:
#   tools/deps.sh         what playing needs: building the game (play.sh)
#   tools/deps.sh check   that and what the tests need: GoogleTest, Google Benchmark, tmux,
#                         the fuzzers' clang, the Debian package's tools, and the browser
#                         build with Chromium for its test (check.sh)
#   tools/deps.sh web     that and what the browser build needs: Emscripten, npm (web.sh)
#   tools/deps.sh list [check]   names the packages of the list, one a line; installs nothing
set -e
missing=""
# need PACKAGE TEST...: PACKAGE is missing unless the TEST finds what it brings
need() { pkg=$1; shift; "$@" >/dev/null 2>&1 || missing="$missing $pkg"; }
has() { for f; do [ -e "$f" ] && return 0; done; return 1; }

play() {
    need cmake command -v cmake
    need g++ command -v g++
    need make command -v make
    need libncurses-dev has /usr/include/ncursesw/curses.h /usr/include/ncurses.h
    # the options file is read with inih, found through pkg-config
    need libinih-dev has /usr/include/ini.h
    need pkg-config command -v pkg-config
    # msgfmt makes the English catalogue; check.sh holds it against the code with the rest
    need gettext command -v msgfmt
}

check() {
    need libgtest-dev has /usr/include/gtest/gtest.h
    need libbenchmark-dev has /usr/include/benchmark/benchmark.h
    need tmux command -v tmux
    need clang command -v clang++
    need libclang-rt-dev sh -c 'ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a'
    # cpack's Debian package: dpkg-shlibdeps and file for its dependencies, lintian to judge it
    need dpkg-dev command -v dpkg-shlibdeps
    need lintian command -v lintian
    need file command -v file
}

mode=$1
if [ "$mode" = list ]; then
    # every package of the list, whether installed or not
    need() { missing="$missing $1"; }
    mode=$2
fi
play
if [ "$mode" = check ]; then check; fi
# ---- the browser build (web.sh) and its test in headless Chromium (check.sh), installed
# without the desktop's extras that Chromium recommends
others=$missing
missing=""
if [ "$mode" = web ] || [ "$mode" = check ]; then
    need emscripten command -v emcc
    need npm command -v npm
    need python3 command -v python3
    # the page's font, cut from Noto Sans Mono CJK JP by fontTools into WOFF2 (brotli)
    need fonts-noto-cjk has /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
    need python3-fonttools /usr/bin/python3 -c 'import fontTools.subset'
    need python3-brotli /usr/bin/python3 -c 'import brotli'
fi
if [ "$mode" = check ]; then need chromium test -x /usr/bin/chromium; fi
webmissing=$missing
missing=$others
# ----
if [ "$1" = list ]; then
    printf '%s\n' $missing $webmissing
    exit 0
fi
if [ -n "$webmissing" ]; then
    echo "kurashi: installing$webmissing" >&2
    if [ "$(id -u)" = 0 ]; then sudo=""; else sudo="sudo"; fi
    $sudo apt-get update -qq && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends $webmissing >&2
fi
[ -z "$missing" ] && exit 0
echo "kurashi: installing$missing" >&2
if [ "$(id -u)" = 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >&2
