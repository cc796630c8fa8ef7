#!/bin/sh
# Builds everything with warnings as errors and runs every test, three ways:
#   1. the English catalogue against the code, a normal build and the whole test suite, and
#      the Debian package made from it;
#   2. the same under AddressSanitizer and UndefinedBehaviorSanitizer (no recovery), where
#      the key fuzzer plays KEYFUZZ_GAMES games of KEYFUZZ_KEYS keys;
#   3. the libFuzzer targets of the file readers (clang), FUZZ_SECONDS seconds each, one of
#      them playing the game files it loads;
# and the game built for the browser, tested in headless Chromium.
# Longer runs by hand: see "Testing" in README.md.
set -e
cd "$(dirname "$0")"
tools/deps.sh check
jobs="$(nproc)"
KEYFUZZ_GAMES="${KEYFUZZ_GAMES:-2000}"
KEYFUZZ_KEYS="${KEYFUZZ_KEYS:-5000}"
FUZZ_SECONDS="${FUZZ_SECONDS:-120}"

step() { printf '\n==== %s\n' "$*"; }

step "1/3 the English catalogue, normal build and tests"
tools/catalogcheck.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKURASHI_WERROR=ON -DKURASHI_TESTS=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

step "Debian package of build/: cpack, lintian, and the unpacked game played"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb="build/kurashi_${version}_$(dpkg --print-architecture).deb"
(cd build && cpack -G DEB >/dev/null)
lintian --fail-on error "$deb"  # its warnings are shown; an error fails the check
tests/install.sh --deb "$deb" "$PWD"

step "2/3 AddressSanitizer and UndefinedBehaviorSanitizer; $KEYFUZZ_GAMES fuzzed games of $KEYFUZZ_KEYS keys"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKURASHI_WERROR=ON -DKURASHI_SANITIZE=ON -DKURASHI_TESTS=ON \
    -DKURASHI_KEYFUZZ_GAMES="$KEYFUZZ_GAMES" -DKURASHI_KEYFUZZ_KEYS="$KEYFUZZ_KEYS"
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

step "3/3 parser fuzzing, $FUZZ_SECONDS seconds per reader"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DKURASHI_WERROR=ON -DKURASHI_SANITIZE=ON -DKURASHI_FUZZ=ON -DKURASHI_TESTS=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_gamefile fuzz_index fuzz_map fuzz_playfile
for reader in gamefile index map playfile; do
    # new inputs gather in the build folder; the committed seed corpus is only read
    mkdir -p "build-fuzz/corpus/$reader"
    if ! build-fuzz/fuzz/fuzz_$reader -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/crash-$reader-" "build-fuzz/corpus/$reader" "fuzz/corpus/$reader" \
        > "build-fuzz/$reader.log" 2>&1; then
        tail -n 40 "build-fuzz/$reader.log"
        echo "fuzz_$reader found a crash (build-fuzz/crash-$reader-*): mend it and commit the input" \
            "to fuzz/crashes/$reader/"
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/$reader.log")
    echo "fuzz_$reader: $runs runs, no crash"
done
# ---- the game in the browser: the site built by web.sh (Emscripten), played in headless
# Chromium beside the native game of step 1 with the same seeds and keys (tests/web/browser.mjs)
step "browser: build-web/site in headless Chromium"
./web.sh build
node tests/web/browser.mjs build/kurashi build-web/site
font=$(stat -c %s build-web/site/kurashi.woff2)
site=$(du -cb build-web/site/* | sed -n 's/\ttotal$//p')
echo "site: the font $((font / 1024)) KiB (at most 600 KB), the rest $(((site - font) / 1024)) KiB (at most 1.5 MB)"
browserchecks=1
# ----

# the catalogue, every test of both builds, the package, the three readers' fuzzing and the
# browser test, in the line CI reads
tests() { ctest --test-dir "$1" -N | sed -n 's/^Total Tests: *//p'; }
step "all passed"
echo "check: $((1 + $(tests build) + $(tests build-asan) + 1 + 4 + browserchecks)) passed, 0 failed"
