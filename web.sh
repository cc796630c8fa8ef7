#!/bin/sh
# Builds the game for the browser into build-web/site/ (WebAssembly by Emscripten, the page
# and xterm.js) and serves that folder on http://localhost:8000/ (PORT sets another port)
# with Python's http.server. "./web.sh build" only builds. Any static host can serve the
# folder: the site has no server side.
set -e
cd "$(dirname "$0")"
tools/deps.sh web

# xterm.js (and the browser test's driver) as package-lock.json pins them
if ! cmp -s package-lock.json node_modules/.kurashi-lock 2>/dev/null; then
    npm ci --no-audit --no-fund --loglevel=error
    cp package-lock.json node_modules/.kurashi-lock
fi

# Debian's emcc runs its JavaScript optimiser with the system's node, which may not look
# in Debian's own node modules
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
emcmake cmake -S . -B build-web/cmake -DCMAKE_BUILD_TYPE=MinSizeRel -DKURASHI_WERROR=ON \
    -DKURASHI_SITE="$PWD/build-web/site" >/dev/null
cmake --build build-web/cmake -j"$(nproc)"

[ "$1" = build ] && exit 0
port="${PORT:-8000}"
echo "kurashi: http://localhost:$port/ (Ctrl-C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
