# Other programs and threads at the notification window: its private
# messages refused to them, and listeners that cannot stall the host. The
# programs that play the other side run as child processes from bin/.
foreach(program stranger slow_listeners)
  add_executable(${program} ${CMAKE_CURRENT_SOURCE_DIR}/outsiders/programs/${program}.c)
  set_target_properties(${program} PROPERTIES C_STANDARD 11 RUNTIME_OUTPUT_DIRECTORY ${NOTIFY_BIN})
  target_link_libraries(${program} PRIVATE user32 kernel32)
endforeach()
notify_test(outsiders TIMEOUT 180 DEPENDS stranger slow_listeners)
