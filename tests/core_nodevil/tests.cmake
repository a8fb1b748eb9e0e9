# The built plug-in where neither its folder nor the search path holds DevIL,
# ILU or ILUT: an empty folder stands in for the bridge's.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/nodevil)
notify_test(core_nodevil TIMEOUT 120 ENV "NOTIFY_DEVIL_DIR=${CMAKE_BINARY_DIR}/nodevil" DEPENDS notify)
