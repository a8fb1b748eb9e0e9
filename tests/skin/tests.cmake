notify_test(skin DEPENDS notify)
