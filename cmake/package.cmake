# The Debian package: "cpack -G DEB" in a build folder makes kurashi_<version>_<arch>.deb,
# which holds the program in /usr/games, the maps in /usr/share/kurashi (the program finds
# them beside itself, in ../share/kurashi), the English catalogue in /usr/share/locale, the
# manual page, and the README, changelog and copyright in /usr/share/doc/kurashi. Its
# dependencies are read off the program's shared libraries (dpkg-shlibdeps).

set(KURASHI_MAINTAINER "kurashi maintainers <maintainers@users.noreply.c-seed-27943777.example>"
  CACHE STRING "The Debian package's maintainer")

# Debian wants manual pages and changelogs gzipped at the highest level, without a name or
# time in them, so that a package built twice is the same
find_program(GZIP_EXECUTABLE gzip)
function(kurashi_gzipped source installdir)
  get_filename_component(name ${source} NAME)
  if(NOT GZIP_EXECUTABLE)
    install(FILES ${source} DESTINATION ${installdir})
    return()
  endif()
  set(copy ${CMAKE_BINARY_DIR}/generated/${name})
  set(out ${copy}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND ${GZIP_EXECUTABLE} -9nf ${copy}
    DEPENDS ${source} VERBATIM)
  add_custom_target(kurashi_gzip_${name} ALL DEPENDS ${out})
  install(FILES ${out} DESTINATION ${installdir})
endfunction()

# The hardening Debian builds its programs with, where the build is optimized and not
# instrumented: string and memory functions that check their bounds, and the table of
# library calls made read-only once the program is loaded.
if(NOT KURASHI_SANITIZE AND NOT KURASHI_FUZZ AND NOT EMSCRIPTEN)
  target_compile_options(kurashi_game PUBLIC
    $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
  target_link_options(kurashi PRIVATE LINKER:-z,relro,-z,now)
endif()

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS kurashi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY map DESTINATION ${CMAKE_INSTALL_DATADIR}/kurashi)
install(FILES ${CMAKE_BINARY_DIR}/locale/en/LC_MESSAGES/kurashi.mo
  DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/en/LC_MESSAGES)
kurashi_gzipped(${CMAKE_SOURCE_DIR}/doc/kurashi.6 ${CMAKE_INSTALL_MANDIR}/man6)
kurashi_gzipped(${CMAKE_SOURCE_DIR}/doc/changelog ${CMAKE_INSTALL_DOCDIR})
install(FILES README.md doc/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME kurashi)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KURASHI_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese terminal game of town life and expeditions")
# the long description as it reads in an 80-column terminal
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "kurashi (暮らし, living) is a single-player, turn-based game for the text"
  "terminal, in Japanese. You live in a town house: buy and sell, farm, craft"
  "equipment, wands and dishes, and set out on expeditions through the floors"
  "of a mine, a forest and a waterside."
  ""
  "It needs a terminal of 80 columns and 25 lines in a UTF-8 (or Shift-JIS)"
  "locale.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# a game's program lives in /usr/games, as Debian lays games out; "cmake --install" keeps
# it in bin/, where a home folder's PATH looks
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/debgames.cmake)
set(CPACK_KURASHI_STRIP ${CMAKE_STRIP})
include(CPack)
