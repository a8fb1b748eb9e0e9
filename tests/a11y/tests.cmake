# The screen reader the tests start beside the host: its own program, since
# a reader works from another process.
add_executable(screen_reader ${CMAKE_CURRENT_LIST_DIR}/reader/screen_reader.cpp)
target_link_libraries(screen_reader PRIVATE oleacc oleaut32 ole32 uuid)
set_target_properties(screen_reader PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${NOTIFY_BIN})
notify_test(a11y TIMEOUT 180 DEPENDS screen_reader)
