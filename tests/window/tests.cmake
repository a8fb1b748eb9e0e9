notify_test(window DEPENDS notify)
