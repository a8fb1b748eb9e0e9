# The plug-in in Windows of other languages: the executable runs in the
# Polish locale (code page 1250), where it keeps the pictures it composes,
# then in the English (1252) and Russian (1251) ones, each in a Wine prefix
# of its own (made on its first use), where it compares with them.
notify_test(locale TIMEOUT 120 DEPENDS notify)
target_compile_definitions(test_locale PRIVATE NOTIFY_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
set_tests_properties(locale PROPERTIES FIXTURES_SETUP locale_pictures)
foreach(entry "en_US.UTF-8;1252" "ru_RU.UTF-8;1251")
  list(GET entry 0 locale)
  list(GET entry 1 codepage)
  add_test(NAME locale_${codepage} COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/locale-run.sh ${CMAKE_BINARY_DIR}
    ${locale} $<TARGET_FILE:test_locale>)
  set_tests_properties(locale_${codepage} PROPERTIES TIMEOUT 240 RESOURCE_LOCK screen
    FIXTURES_REQUIRED locale_pictures ENVIRONMENT "NOTIFY_EXPECTED_ACP=${codepage}")
endforeach()
