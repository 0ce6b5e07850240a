# Release packages (`cmake --build --preset <preset> --target package`):
# Windows: VantorHUD-<version>-win32.zip, unzipped into the modeller's folder it installs the
#          plug-in and its example INI into Plugins/Startup Plugins, the install note beside them,
#          the user guide into VantorHUD-guide, and the preview window (hudhost.exe with a
#          plug-in of its own) into VantorHUD Preview, a folder the modeller never looks in.
# Linux:   VantorHUD-<version>-linux-x86_64.tar.gz, one folder of that name with the plug-in,
#          hudhost, the example, the README, the install note and the user guide.
# The shipped binaries are stripped; what was stripped stays in the build as <binary>.debug,
# named in the shipped binary's .gnu_debuglink, for reading a crash report.
set(plugin_dir "Plugins/Startup Plugins")
set(example_ini "${PROJECT_SOURCE_DIR}/examples/Plugins/Startup Plugins/VantorHUD.ini")
set(guide "${PROJECT_SOURCE_DIR}/docs/CONFIGURATION.md" "${PROJECT_SOURCE_DIR}/docs/hud-example.png"
  "${PROJECT_SOURCE_DIR}/docs/hud-effects.png" "${PROJECT_SOURCE_DIR}/docs/hud-corners.png"
  "${PROJECT_SOURCE_DIR}/docs/hud-languages.png" "${PROJECT_SOURCE_DIR}/docs/hud-east-asian.png"
  "${PROJECT_SOURCE_DIR}/docs/hud-panel.png")

# The package packed from the shipped binaries alone, where `package` builds everything first:
# the package tests build this one, so that inspecting the 32-bit zip builds no test program.
add_custom_target(release_package
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${PROJECT_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR} VERBATIM)

# Installs TARGET into DESTINATION stripped, after keeping its debug information beside the built
# file. It runs at install time, so the build's own binaries, which the tests run, keep theirs.
# The release package depends on it.
function(install_stripped target destination)
  add_dependencies(release_package ${target})
  install(TARGETS ${target} RUNTIME DESTINATION "${destination}"
                            LIBRARY DESTINATION "${destination}")
  set(built "$<TARGET_FILE:${target}>")
  set(shipped "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/$<TARGET_FILE_NAME:${target}>")
  install(CODE "
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --only-keep-debug \"${built}\" \"${built}.debug\"
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --strip-unneeded
                            \"--add-gnu-debuglink=${built}.debug\" \"${shipped}\"
                    COMMAND_ERROR_IS_FATAL ANY)")
endfunction()

if(WIN32)
  install_stripped(VantorHUD "${plugin_dir}")
  install(FILES "${example_ini}" DESTINATION "${plugin_dir}")
  install_stripped(hudhost "VantorHUD Preview")
  install_stripped(VantorHUD "VantorHUD Preview")
  install(FILES "${PROJECT_SOURCE_DIR}/docs/INSTALL.txt" DESTINATION .
          RENAME VantorHUD-INSTALL.txt)
  install(FILES ${guide} DESTINATION VantorHUD-guide)
  set(CPACK_GENERATOR ZIP)
  # win64: the 64-bit build that stands in for tests where 32-bit programs cannot run; not shipped.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_PACKAGE_FILE_NAME "VantorHUD-${PROJECT_VERSION}-win64")
  else()
    set(CPACK_PACKAGE_FILE_NAME "VantorHUD-${PROJECT_VERSION}-win32")
  endif()
  # Unzipped straight into the modeller's folder.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  install_stripped(VantorHUD bin)
  install_stripped(hudhost bin)
  install(FILES "${example_ini}" DESTINATION "examples/${plugin_dir}")
  install(FILES "${PROJECT_SOURCE_DIR}/README.md" DESTINATION .)
  install(FILES "${PROJECT_SOURCE_DIR}/docs/INSTALL-linux.txt" DESTINATION . RENAME INSTALL.txt)
  # The README links the guide and the performance figures from docs/.
  install(FILES ${guide} "${PROJECT_SOURCE_DIR}/docs/PERFORMANCE.md" DESTINATION docs)
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME "VantorHUD-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")
  # Unpacked anywhere: everything in one folder named after the package.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()

set(CPACK_PACKAGE_NAME VantorHUD)
set(CPACK_PACKAGE_VENDOR "Vantor HUD developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
# The file the package target writes, for the package test.
if(WIN32)
  set(release_package ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip)
else()
  set(release_package ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.tar.gz)
endif()
include(CPack)
