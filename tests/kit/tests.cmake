# The kit for skin authors and other programs: skin-preview and the example
# programs run as child processes
notify_test(kit TIMEOUT 240 DEPENDS skin_preview listener example_plugin)
target_compile_definitions(test_kit PRIVATE NOTIFY_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# The release package, made with the README's command and unpacked as a
# Windows user unpacks it; its programs run from there.
add_test(NAME kit_package COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/kit/check_package.sh
  ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(kit_package PROPERTIES TIMEOUT 180 RESOURCE_LOCK screen)
# The sample skins' images match their generator (no Wine needed).
if(NOTIFY_PYTHON3)
  add_test(NAME kit_skins COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/kit/check_skins.sh
    ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/skins_check)
  set_tests_properties(kit_skins PROPERTIES TIMEOUT 60)
endif()
# The README's gallery and skin-preview commands, and the pictures it shows.
add_test(NAME kit_gallery COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/kit/check_gallery.sh
  ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
set_tests_properties(kit_gallery PROPERTIES TIMEOUT 120 RESOURCE_LOCK screen)
