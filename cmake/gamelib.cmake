# kurashi_game: every game file but those a build leaves out (a regular expression on the
# path), one library linked by the game, the tests and the browser's page. The maps are
# looked for in datadir when nowhere nearer; the commit a build comes from is looked up at
# every build, as a header, for --version.
function(kurashi_game_library leaveout datadir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp)
  list(FILTER sources EXCLUDE REGEX "${leaveout}")
  add_library(kurashi_game STATIC ${sources})
  target_include_directories(kurashi_game PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_definitions(kurashi_game PUBLIC KURASHI_VERSION="${PROJECT_VERSION}"
    KURASHI_DATADIR="${datadir}")

  set(header ${CMAKE_BINARY_DIR}/generated/commit.h)
  add_custom_target(kurashi_commit
    COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR} -DOUT=${header}
            -P ${CMAKE_SOURCE_DIR}/cmake/version.cmake
    BYPRODUCTS ${header} VERBATIM)
  add_dependencies(kurashi_game kurashi_commit)
  target_include_directories(kurashi_game PRIVATE ${CMAKE_BINARY_DIR}/generated)
endfunction()
