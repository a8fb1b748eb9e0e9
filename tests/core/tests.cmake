notify_test(core DEPENDS notify)
