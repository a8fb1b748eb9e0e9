# The stand-in host as an application: its options window in-process, and
# vorlane_host.exe playing scenarios as a child process.
notify_test(host TIMEOUT 240 DEPENDS notify vorlane_host)
target_compile_definitions(test_host PRIVATE NOTIFY_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# The application part of the host; the other tests use its double alone.
target_link_libraries(test_host PRIVATE host_app)
