# The handle soak takes about a minute on an idle machine, more under load.
notify_test(window TIMEOUT 400 DEPENDS notify)
