# Run by cpack before it packs: the program moves from usr/bin to usr/games in the files
# about to be packed, and loses the sections that say only which compiler made it.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(EXISTS "${usr}/bin/kurashi")
  file(MAKE_DIRECTORY "${usr}/games")
  file(RENAME "${usr}/bin/kurashi" "${usr}/games/kurashi")
  file(GLOB others "${usr}/bin/*")
  if(NOT others)
    file(REMOVE_RECURSE "${usr}/bin")
  endif()
endif()
if(CPACK_KURASHI_STRIP)
  execute_process(COMMAND ${CPACK_KURASHI_STRIP} --remove-section=.comment --remove-section=.note
    "${usr}/games/kurashi" COMMAND_ERROR_IS_FATAL ANY)
endif()
