# The built plug-in where neither its folder nor the search path holds DevIL,
# ILU or ILUT: an empty folder stands in for the bridge's. A second entry
# gives it a search path with DevIL and ILU but no ILUT.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/nodevil)
notify_test(core_nodevil TIMEOUT 120 ENV "NOTIFY_DEVIL_DIR=${CMAKE_BINARY_DIR}/nodevil" DEPENDS notify
  ARGS --gtest_filter=NoImageLibrary.*)

set(NOTIFY_NOILUT_DIR ${CMAKE_BINARY_DIR}/noilut)
set(NOILUT_FILES)
foreach(f DevIL.dll devil.dll.so ILU.dll ilu.dll.so)
  add_custom_command(OUTPUT ${NOTIFY_NOILUT_DIR}/${f}
    COMMAND ${CMAKE_COMMAND} -E copy ${NOTIFY_DIST}/${f} ${NOTIFY_NOILUT_DIR}/${f}
    DEPENDS devil_bridge ${NOTIFY_DIST}/${f} VERBATIM)
  list(APPEND NOILUT_FILES ${NOTIFY_NOILUT_DIR}/${f})
endforeach()
add_custom_target(devil_bridge_noilut DEPENDS ${NOILUT_FILES})
add_dependencies(test_core_nodevil devil_bridge_noilut)
add_test(NAME core_noilut COMMAND test_core_nodevil --gtest_filter=OneImageLibraryMissing.*)
set_tests_properties(core_noilut PROPERTIES TIMEOUT 120
  ENVIRONMENT "NOTIFY_DEVIL_DIR=${NOTIFY_NOILUT_DIR}" RESOURCE_LOCK screen)
