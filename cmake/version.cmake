# Writes OUT, a header naming the commit the game is built from, when the source folder
# SRC is a git checkout of its own; a build from a tarball names none. Run at every build,
# it rewrites OUT only when the commit changed, so nothing is compiled again for nothing.
set(commit "")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
    WORKING_DIRECTORY ${SRC} OUTPUT_VARIABLE top RESULT_VARIABLE failed
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  # a tarball unpacked inside some other checkout is not that checkout's commit
  file(REAL_PATH "${SRC}" src)
  if(NOT failed AND top)
    file(REAL_PATH "${top}" top)
  endif()
  if(NOT failed AND top STREQUAL src)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short HEAD
      WORKING_DIRECTORY ${SRC} OUTPUT_VARIABLE commit RESULT_VARIABLE failed
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${GIT_EXECUTABLE} diff --quiet HEAD --
      WORKING_DIRECTORY ${SRC} RESULT_VARIABLE changed ERROR_QUIET)
    if(failed)
      set(commit "")
    elseif(changed EQUAL 1)
      string(APPEND commit "-dirty")  # changes not yet committed
    endif()
  endif()
endif()
set(text "// made by cmake/version.cmake at build time\n#define KURASHI_COMMIT \"${commit}\"\n")
if(EXISTS "${OUT}")
  file(READ "${OUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUT}" "${text}")
endif()
