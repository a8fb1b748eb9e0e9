notify_test(skin16 ENV "NOTIFY_DEPTH=16" DEPENDS notify)
