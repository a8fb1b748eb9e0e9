notify_test(window DEPENDS notify ARGS --gtest_filter=-*SeventyThousand*:Day.*)
# The day's handle and memory probes read the process's memory counters.
target_link_libraries(test_window PRIVATE psapi)

# The soaks use a message-only window and no screen, so they run beside the
# others. The day of traffic (more than 100,000 notifications, longer than
# Wine's GDI handle table) runs as two half-days side by side; the queue
# soak beside it keeps a count of its own that is only a part of that.
add_test(NAME window_soak COMMAND test_window --gtest_filter=*SeventyThousand*)
set_tests_properties(window_soak PROPERTIES TIMEOUT 120 ENVIRONMENT "NOTIFY_SOAK=5000")
foreach(half 0 12)
  add_test(NAME window_day_${half} COMMAND test_window --gtest_filter=Day.*)
  set_tests_properties(window_day_${half} PROPERTIES TIMEOUT 400 COST 1000
    ENVIRONMENT "NOTIFY_DAY_FROM=${half};NOTIFY_DAY_HOURS=12")
endforeach()
# On a machine many times slower (the emulated PC) the day would take
# hours: there it is listed, not run.
if(NOTIFY_SLOWER GREATER 1)
  set_tests_properties(window_day_0 window_day_12 PROPERTIES DISABLED TRUE)
endif()
