# Builds the release zip, unpacks it into DEST/VantorHUD, fresh, and checks that it holds what a
# user installs and nothing else. Beside it, DEST/hudhost.exe: a copy of the stand-in host in a
# folder with no plug-in of its own, so that the only plug-in it can load is the unpacked one.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target package
                RESULT_VARIABLE built OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "the package did not build:\n${log}")
endif()

file(REMOVE_RECURSE ${DEST})
file(MAKE_DIRECTORY ${DEST}/VantorHUD)
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${DEST}/VantorHUD)
file(COPY ${HOST} DESTINATION ${DEST})

file(GLOB_RECURSE unpacked LIST_DIRECTORIES false RELATIVE ${DEST}/VantorHUD ${DEST}/VantorHUD/*)
list(SORT unpacked)
set(expected "Plugins/Startup Plugins/VantorHUD.dll" "Plugins/Startup Plugins/VantorHUD.ini"
             "VantorHUD Preview/VantorHUD.dll" "VantorHUD Preview/hudhost.exe"
             "VantorHUD-INSTALL.txt")
if(NOT unpacked STREQUAL expected)
  message(FATAL_ERROR "the zip holds:\n  ${unpacked}\nnot:\n  ${expected}")
endif()
