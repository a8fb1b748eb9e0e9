# The DevIL bridge under Wine: versions, loading through Windows paths, and
# the GDI bitmap that ILUT makes of the bound image.
notify_test(devil TIMEOUT 120 DEPENDS devil_bridge devil_bridge166)

# The same executable against the test bridge that answers version 166,
# which proves NOTIFY_DEVIL_DIR swaps in that build's .so files.
add_test(NAME devil166 COMMAND test_devil --gtest_filter=Bridge.*)
set_tests_properties(devil166 PROPERTIES TIMEOUT 60
  ENVIRONMENT "NOTIFY_DEVIL_DIR=${NOTIFY_DEVIL166_DIR};NOTIFY_EXPECTED_DEVIL_VERSION=166")
