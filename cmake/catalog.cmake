# kurashi_catalog(localedir): po/en.po compiled by msgfmt into
# localedir/en/LC_MESSAGES/kurashi.mo at every build where the catalogue changed, as the
# target kurashi_catalog. The terminal build and the browser build both use it.
function(kurashi_catalog localedir)
  find_program(MSGFMT msgfmt REQUIRED)
  set(mo ${localedir}/en/LC_MESSAGES/kurashi.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${localedir}/en/LC_MESSAGES
    COMMAND ${MSGFMT} --check -o ${mo} ${CMAKE_SOURCE_DIR}/po/en.po
    DEPENDS ${CMAKE_SOURCE_DIR}/po/en.po VERBATIM)
  add_custom_target(kurashi_catalog ALL DEPENDS ${mo})
endfunction()
