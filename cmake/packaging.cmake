# Release packages (`cmake --build --preset <preset> --target package`):
# Windows: VantorHUD-<version>-win32.zip, unzipped into the modeller's folder it installs the
#          plug-in and its example INI into Plugins/Startup Plugins, and the preview window
#          (hudhost.exe with a plug-in of its own) into a folder the modeller never looks in.
# Linux:   VantorHUD-<version>-linux-x86_64.tar.gz with the plug-in, hudhost and the example.
set(plugin_dir "Plugins/Startup Plugins")
set(example_ini "${PROJECT_SOURCE_DIR}/examples/Plugins/Startup Plugins/VantorHUD.ini")

if(WIN32)
  install(TARGETS VantorHUD RUNTIME DESTINATION "${plugin_dir}" LIBRARY DESTINATION "${plugin_dir}")
  install(FILES "${example_ini}" DESTINATION "${plugin_dir}")
  install(TARGETS hudhost VantorHUD RUNTIME DESTINATION "VantorHUD Preview")
  install(FILES "${PROJECT_SOURCE_DIR}/docs/INSTALL.txt" DESTINATION .
          RENAME VantorHUD-INSTALL.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "VantorHUD-${PROJECT_VERSION}-win32")
else()
  install(TARGETS VantorHUD hudhost LIBRARY DESTINATION bin RUNTIME DESTINATION bin)
  install(FILES "${example_ini}" DESTINATION "examples/${plugin_dir}")
  install(FILES "${PROJECT_SOURCE_DIR}/README.md" DESTINATION .)
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME "VantorHUD-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")
endif()

set(CPACK_PACKAGE_NAME VantorHUD)
set(CPACK_PACKAGE_VENDOR "Vantor HUD developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
