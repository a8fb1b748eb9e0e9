notify_test(window TIMEOUT 240 DEPENDS notify)
