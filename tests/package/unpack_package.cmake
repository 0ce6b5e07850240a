# Builds the release package, unpacks it into DEST, fresh, and checks it as a user gets it: it holds
# what a user installs and nothing else, the links of its documents resolve, and its binaries carry
# no debug sections but a link to the debug file kept in the build.
# PLATFORM windows: the zip, unzipped into DEST/VantorHUD as into the modeller's folder; beside it,
#   DEST/hudhost.exe, a copy of the stand-in host in a folder with no plug-in of its own, so that
#   the only plug-in it can load is the unpacked one (the package_renders test draws with it).
# PLATFORM linux: the tarball, one folder with everything; its hudhost lists and draws with its
#   plug-in, from inside that folder.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target release_package
                RESULT_VARIABLE built OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "the package did not build:\n${log}")
endif()

file(REMOVE_RECURSE ${DEST})
if(PLATFORM STREQUAL "windows")
  set(root ${DEST}/VantorHUD)
  file(MAKE_DIRECTORY ${root})
  file(ARCHIVE_EXTRACT INPUT ${ARCHIVE} DESTINATION ${root})
  file(COPY ${HOST} DESTINATION ${DEST})
  set(binaries "Plugins/Startup Plugins/VantorHUD.dll" "VantorHUD Preview/VantorHUD.dll"
               "VantorHUD Preview/hudhost.exe")
  set(expected ${binaries} "Plugins/Startup Plugins/VantorHUD.ini" "VantorHUD-INSTALL.txt"
               "VantorHUD-guide/CONFIGURATION.md" "VantorHUD-guide/hud-example.png"
               "VantorHUD-guide/hud-effects.png" "VantorHUD-guide/hud-corners.png"
               "VantorHUD-guide/hud-languages.png" "VantorHUD-guide/hud-east-asian.png"
               "VantorHUD-guide/hud-panel.png")
else()
  file(ARCHIVE_EXTRACT INPUT ${ARCHIVE} DESTINATION ${DEST})
  get_filename_component(top ${ARCHIVE} NAME_WLE)
  get_filename_component(top ${top} NAME_WLE)  # .tar.gz
  file(GLOB tops RELATIVE ${DEST} ${DEST}/*)
  if(NOT tops STREQUAL top)
    message(FATAL_ERROR "the tarball unpacks into '${tops}', not one folder '${top}'")
  endif()
  set(root ${DEST}/${top})
  set(binaries "bin/VantorHUD.so" "bin/hudhost")
  set(expected ${binaries} "INSTALL.txt" "README.md" "docs/CONFIGURATION.md"
               "docs/PERFORMANCE.md" "docs/hud-example.png" "docs/hud-effects.png" "docs/hud-corners.png"
               "docs/hud-languages.png" "docs/hud-east-asian.png" "docs/hud-panel.png"
               "examples/Plugins/Startup Plugins/VantorHUD.ini")
endif()

file(GLOB_RECURSE unpacked LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
list(SORT unpacked)
list(SORT expected)
if(NOT unpacked STREQUAL expected)
  message(FATAL_ERROR "the package holds:\n  ${unpacked}\nnot:\n  ${expected}")
endif()

# Relative Markdown links and pictures, [text](target), resolve inside the unpacked package.
foreach(doc IN LISTS unpacked)
  if(NOT doc MATCHES "\\.md$")
    continue()
  endif()
  file(READ "${root}/${doc}" text)
  string(REPLACE "](" "<link>" text "${text}")  # a bracket would split CMake's lists wrongly
  string(REGEX MATCHALL "<link>[^)#]+" links "${text}")
  get_filename_component(doc_dir "${root}/${doc}" DIRECTORY)
  foreach(link IN LISTS links)
    string(SUBSTRING "${link}" 6 -1 target)
    if(NOT target MATCHES "://" AND NOT EXISTS "${doc_dir}/${target}")
      message(FATAL_ERROR "${doc} links '${target}', which the package does not hold")
    endif()
  endforeach()
endforeach()

foreach(binary IN LISTS binaries)
  execute_process(COMMAND ${OBJDUMP} -h "${root}/${binary}" OUTPUT_VARIABLE sections
                  COMMAND_ERROR_IS_FATAL ANY)
  if(sections MATCHES "\\.z?debug_[a-z_]+")
    message(FATAL_ERROR "${binary} is shipped with debug section ${CMAKE_MATCH_0}")
  endif()
  get_filename_component(name "${binary}" NAME)
  if(NOT sections MATCHES "\\.gnu_debuglink" OR NOT EXISTS "${BUILD_DIR}/bin/${name}.debug")
    message(FATAL_ERROR "${binary} has no debug file bin/${name}.debug in the build linked")
  endif()
endforeach()

if(PLATFORM STREQUAL "linux")
  execute_process(COMMAND bin/hudhost --list WORKING_DIRECTORY ${root} OUTPUT_VARIABLE listed
                  COMMAND_ERROR_IS_FATAL ANY)
  if(NOT listed MATCHES "\"Vantor HUD Switch\"")
    message(FATAL_ERROR "the unpacked hudhost lists no HUD commands:\n${listed}")
  endif()
  execute_process(COMMAND bin/hudhost --workdir examples --cmd switch --out ${DEST}/frame.png
                  WORKING_DIRECTORY ${root} COMMAND_ERROR_IS_FATAL ANY)
endif()
