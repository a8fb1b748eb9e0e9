notify_test(window DEPENDS notify ARGS --gtest_filter=-*SeventyThousand*)

# The handle soak (70,000 notifications, longer than Wine's GDI handle table)
# uses a message-only window and no screen, so it runs beside the others.
add_test(NAME window_soak COMMAND test_window --gtest_filter=*SeventyThousand*)
set_tests_properties(window_soak PROPERTIES TIMEOUT 420 COST 1000)
