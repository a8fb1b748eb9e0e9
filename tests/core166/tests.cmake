# Start-up against an image library that reports version 166.
notify_test(core166 ENV "NOTIFY_DEVIL_DIR=${CMAKE_BINARY_DIR}/devil166" DEPENDS notify devil_bridge166)
