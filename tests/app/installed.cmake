# Installs into a fresh prefix and checks that a desktop finds what it needs:
# the program, its menu entry, its icon, the .gyr file type and the help.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()
foreach(f bin/gyrel share/applications/gyrel.desktop share/icons/hicolor/scalable/apps/gyrel.svg
          share/mime/packages/gyrel.xml share/doc/gyrel/help/index.html
          share/doc/gyrel/help/pictures/circumcircle.png share/man/man1/gyrel.1)
  if(NOT EXISTS ${PREFIX}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(READ ${PREFIX}/share/applications/gyrel.desktop entry)
file(READ ${PREFIX}/share/mime/packages/gyrel.xml mime)
string(REGEX MATCH "MimeType=([^;\n]+)" _ "${entry}")
set(type ${CMAKE_MATCH_1})
if(NOT type OR NOT mime MATCHES "type=\"${type}\"")
  message(FATAL_ERROR "the menu entry's file type ${type} is not the one installed")
endif()
if(NOT entry MATCHES "\nExec=gyrel %f\n" OR NOT entry MATCHES "\nIcon=gyrel\n")
  message(FATAL_ERROR "the menu entry does not start gyrel with the file, or has no icon")
endif()
if(NOT mime MATCHES "<glob pattern=\"\\*\\.gyr\"/>")
  message(FATAL_ERROR "the file type does not claim .gyr files")
endif()
