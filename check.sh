#!/bin/sh
# Builds everything with warnings as errors and runs every test.
set -e
cd "$(dirname "$0")"
tools/deps.sh
jobs="$(nproc)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKURASHI_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
