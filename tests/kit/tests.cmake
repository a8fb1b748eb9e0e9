# The kit for skin authors and other programs: skin-preview run as a child
# process on real files.
notify_test(kit TIMEOUT 240 DEPENDS skin_preview)
target_compile_definitions(test_kit PRIVATE NOTIFY_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
