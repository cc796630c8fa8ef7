#!/bin/sh
# Builds the game and starts it in this folder (which holds map/ and save/).
set -e
cd "$(dirname "$0")"
tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target kurashi >/dev/null
exec build/kurashi "$@"
