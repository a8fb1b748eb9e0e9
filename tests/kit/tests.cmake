# The kit for skin authors and other programs: skin-preview and the example
# programs run as child processes
notify_test(kit TIMEOUT 240 DEPENDS skin_preview listener example_plugin)
target_compile_definitions(test_kit PRIVATE NOTIFY_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
