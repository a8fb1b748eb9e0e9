# The release package: `cmake --build build --target package` writes
# notify-<version>-win32.zip with the plug-in, the sample skins, the kit for
# other plug-ins and programs, and the install text. The DevIL bridge DLLs
# serve only Wine and stay out; Windows users install DevIL itself.
install(FILES $<TARGET_FILE:notify> DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/docs/INSTALL.txt DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/skins/ DESTINATION skins
  FILES_MATCHING PATTERN "*.ini" PATTERN "*.png" PATTERN "*.bmp")
install(FILES ${CMAKE_SOURCE_DIR}/sdk/vorlane_notify.h DESTINATION sdk)
install(FILES ${CMAKE_SOURCE_DIR}/examples/listener/listener.c DESTINATION sdk/examples)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME notify)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME notify-${PROJECT_VERSION}-win32)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
