notify_test(core DEPENDS notify)
# The DLL's export table and imports, read with objdump (no Wine needed).
find_program(NOTIFY_OBJDUMP NAMES i686-w64-mingw32-objdump objdump)
add_test(NAME core_exports COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/core/check_exports.sh
  ${NOTIFY_OBJDUMP} $<TARGET_FILE:notify>)
set_tests_properties(core_exports PROPERTIES TIMEOUT 30)
# The DLL's version record is read with VerQueryValue.
target_link_libraries(test_core PRIVATE version)
# The committed icons match their generator (no Wine needed).
find_program(NOTIFY_PYTHON3 python3)
if(NOTIFY_PYTHON3)
  add_test(NAME core_icons COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/core/check_icons.sh
    ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/icons_check)
  set_tests_properties(core_icons PROPERTIES TIMEOUT 30)
endif()
