# The browser build, by Emscripten (web.sh): the game library without the terminal backend,
# the web console and its main, and the static site put together in KURASHI_SITE.

set(KURASHI_SITE ${CMAKE_BINARY_DIR}/site CACHE PATH "the folder the site is put together in")
set(KURASHI_NODE_MODULES ${CMAKE_SOURCE_DIR}/node_modules CACHE PATH "npm ci's folder (xterm.js)")

add_compile_options(-fexceptions)  # the game ends by unwinding to main

# the options file's reader needs inih, which the browser has not: its options stay off
include(${CMAKE_SOURCE_DIR}/cmake/gamelib.cmake)
kurashi_game_library("/src/(web/|home/main\\.cpp$|home/optionsfile\\.cpp$|core/term)" "/game")

# Code page 932 as the C library of the building machine converts it, for src/web/cp932.cpp.
find_program(KURASHI_HOST_CXX NAMES c++ g++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
add_custom_command(OUTPUT cp932table.inc
  COMMAND ${KURASHI_HOST_CXX} -std=c++20 -O1 -I${CMAKE_SOURCE_DIR}/src -o cp932gen
          ${CMAKE_SOURCE_DIR}/tools/cp932gen.cpp ${CMAKE_SOURCE_DIR}/src/core/text.cpp
  COMMAND ./cp932gen cp932table.inc
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/cp932gen.cpp ${CMAKE_SOURCE_DIR}/src/core/text.cpp VERBATIM)

set(web ${CMAKE_SOURCE_DIR}/src/web)
# The English catalogue, packed with the maps; src/web/catalog.cpp reads it.
include(${CMAKE_SOURCE_DIR}/cmake/catalog.cmake)
kurashi_catalog(${CMAKE_BINARY_DIR}/locale)

add_executable(kurashi_web ${web}/webmain.cpp ${web}/webconsole.cpp ${web}/cp932.cpp
  ${web}/glibcrand.cpp ${web}/catalog.cpp ${CMAKE_CURRENT_BINARY_DIR}/cp932table.inc)
add_dependencies(kurashi_web kurashi_catalog)
set_property(TARGET kurashi_web APPEND PROPERTY LINK_DEPENDS
  ${CMAKE_BINARY_DIR}/locale/en/LC_MESSAGES/kurashi.mo)
target_include_directories(kurashi_web PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
set_property(TARGET kurashi_web APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/library.js)
target_link_libraries(kurashi_web PRIVATE kurashi_game)
set_target_properties(kurashi_web PROPERTIES OUTPUT_NAME game SUFFIX .js
  RUNTIME_OUTPUT_DIRECTORY ${KURASHI_SITE})
target_link_options(kurashi_web PRIVATE
  -fexceptions
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536  # the key wait gives the browser back its thread
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH -sFORCE_FILESYSTEM -lidbfs.js
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/map@/game/map"
  "SHELL:--preload-file ${CMAKE_BINARY_DIR}/locale@/game/locale"
  "SHELL:--js-library ${CMAKE_SOURCE_DIR}/web/library.js"
  -sEXPORTED_FUNCTIONS=_main,_kurashi_putgame,_malloc,_free
  -sEXPORTED_RUNTIME_METHODS=UTF8ToString)

# The page around the game, and xterm.js from npm ci.
set(xterm ${KURASHI_NODE_MODULES}/@xterm/xterm)
set(pagefiles ${CMAKE_SOURCE_DIR}/web/index.html ${CMAKE_SOURCE_DIR}/web/page.js
  ${CMAKE_SOURCE_DIR}/web/page.css ${CMAKE_SOURCE_DIR}/web/icon.svg
  ${CMAKE_SOURCE_DIR}/web/manifest.webmanifest ${xterm}/css/xterm.css)
add_custom_command(OUTPUT ${KURASHI_SITE}/xterm.mjs
  COMMAND ${CMAKE_COMMAND} -DIN=${xterm}/lib/xterm.mjs -DOUT=${KURASHI_SITE}/xterm.mjs
          -P ${CMAKE_SOURCE_DIR}/web/nosourcemap.cmake
  DEPENDS ${xterm}/lib/xterm.mjs ${CMAKE_SOURCE_DIR}/web/nosourcemap.cmake VERBATIM)
add_custom_target(kurashi_page ALL
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${pagefiles} ${KURASHI_SITE}
  DEPENDS ${pagefiles} ${KURASHI_SITE}/xterm.mjs VERBATIM)

# The page's own font, cut from Noto Sans Mono CJK JP (fonts-noto-cjk, SIL OFL 1.1) to the
# characters of the game's texts in every language and of the page, so that new text is
# covered at the next build; its licence goes beside it. fontTools is Debian's, in Debian's
# python3.
find_program(KURASHI_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_program(KURASHI_PYTHON python3 REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(KURASHI_FONT /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc CACHE FILEPATH
  "the font collection the page's font is cut from")
set(KURASHI_FONT_INDEX 5 CACHE STRING "Noto Sans Mono CJK JP's place in the collection")
file(GLOB_RECURSE fonttexts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp
  ${CMAKE_SOURCE_DIR}/src/*.h ${CMAKE_SOURCE_DIR}/po/*.po)
list(APPEND fonttexts ${CMAKE_SOURCE_DIR}/web/index.html ${CMAKE_SOURCE_DIR}/web/page.js)
add_custom_command(OUTPUT ${KURASHI_SITE}/kurashi.woff2 ${KURASHI_SITE}/OFL.txt
  COMMAND ${KURASHI_PYTHON} ${CMAKE_SOURCE_DIR}/web/font.py ${KURASHI_SITE}/kurashi.woff2
          ${KURASHI_SITE}/OFL.txt ${KURASHI_FONT} ${KURASHI_FONT_INDEX}
          /usr/share/doc/fonts-noto-cjk/copyright ${fonttexts}
  DEPENDS ${CMAKE_SOURCE_DIR}/web/font.py ${fonttexts} VERBATIM)
add_custom_target(kurashi_font ALL DEPENDS ${KURASHI_SITE}/kurashi.woff2)

# The service worker, last: it names every file of the site and the build they make.
add_custom_target(kurashi_sw ALL
  COMMAND ${CMAKE_COMMAND} -DSITE=${KURASHI_SITE} -DIN=${CMAKE_SOURCE_DIR}/web/sw.js
          -P ${CMAKE_SOURCE_DIR}/web/sw.cmake VERBATIM)
add_dependencies(kurashi_sw kurashi_web kurashi_page kurashi_font)
