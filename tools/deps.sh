#!/bin/sh
# Installs what building kurashi needs when it is missing (Debian and its kin).
set -e
need=""
command -v cmake >/dev/null 2>&1 || need="$need cmake"
command -v g++ >/dev/null 2>&1 || need="$need g++"
command -v make >/dev/null 2>&1 || need="$need make"
[ -e /usr/include/ncursesw/curses.h ] || [ -e /usr/include/ncurses.h ] || need="$need libncurses-dev"
[ -e /usr/include/gtest/gtest.h ] || need="$need libgtest-dev"
[ -e /usr/include/benchmark/benchmark.h ] || need="$need libbenchmark-dev"
command -v tmux >/dev/null 2>&1 || need="$need tmux"
# check.sh also fuzzes the file readers, which takes clang and its fuzzer runtime
if [ "$1" = check ]; then
    command -v clang++ >/dev/null 2>&1 || need="$need clang"
    ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
        need="$need libclang-rt-dev"
fi
# ---- the browser build (web.sh: Emscripten, npm for xterm.js) and its test in Chromium
# (check.sh), without the desktop's extras that Chromium recommends
webneed=""
if [ "$1" = web ] || [ "$1" = check ]; then
    command -v emcc >/dev/null 2>&1 || webneed="$webneed emscripten"
    command -v npm >/dev/null 2>&1 || webneed="$webneed npm"
    command -v python3 >/dev/null 2>&1 || webneed="$webneed python3"
fi
if [ "$1" = check ]; then
    [ -x /usr/bin/chromium ] || webneed="$webneed chromium"
fi
if [ -n "$webneed" ]; then
    echo "kurashi: installing$webneed" >&2
    if [ "$(id -u)" = 0 ]; then sudo=""; else sudo="sudo"; fi
    $sudo apt-get update -qq && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends $webneed >&2
fi
# ----
[ -z "$need" ] && exit 0
echo "kurashi: installing$need" >&2
if [ "$(id -u)" = 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq && $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $need >&2
