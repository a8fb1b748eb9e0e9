# The release package: `cmake --build build --target package` writes
# notify-<version>-win32.zip with what each of its readers needs on Windows:
# the plug-in for its users, skin-preview and the sample skins for skin
# authors, listener.exe and the kit (headers and the examples' sources) for
# authors of other programs and plug-ins, and the install text naming them.
# The DevIL bridge DLLs serve only Wine and stay out; Windows users install
# DevIL itself.
install(FILES $<TARGET_FILE:notify> DESTINATION .)
install(FILES $<TARGET_FILE:skin_preview> $<TARGET_FILE:listener> DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/docs/INSTALL.txt DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/skins/ DESTINATION skins
  FILES_MATCHING PATTERN "*.ini" PATTERN "*.png" PATTERN "*.bmp")
install(FILES ${CMAKE_SOURCE_DIR}/sdk/vorlane_notify.h ${CMAKE_SOURCE_DIR}/contract/host_api.h DESTINATION sdk)
install(FILES ${CMAKE_SOURCE_DIR}/examples/listener/listener.c
  ${CMAKE_SOURCE_DIR}/examples/plugin/example_plugin.cpp ${CMAKE_SOURCE_DIR}/examples/plugin/example_plugin.def
  DESTINATION sdk/examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME notify)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME notify-${PROJECT_VERSION}-win32)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
