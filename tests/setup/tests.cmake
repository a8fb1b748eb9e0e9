# The setup's install through a Debian mirror caught mid-sync, with
# stand-ins for apt and dpkg (no Wine, no network).
add_test(NAME setup_mirror COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/setup/check_mirror.sh
  ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/mirror_check)
set_tests_properties(setup_mirror PROPERTIES TIMEOUT 60)
