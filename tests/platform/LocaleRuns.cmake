# The platform tests again under other user locales. LC_ALL is how POSIX
# and Wine both take the user's locale from the environment; each run
# enables the disabled tests that expect its locale, and fails when the
# filter matches nothing.
function(tralvex_locale_run name locale filter)
  add_test(NAME tralvex_platform_tests_${name}
           COMMAND tralvex_platform_tests --gtest_also_run_disabled_tests
                   "--gtest_filter=${filter}"
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(tralvex_platform_tests_${name} PROPERTIES
    ENVIRONMENT "LC_ALL=${locale}"
    FAIL_REGULAR_EXPRESSION "PASSED  \\] 0 tests")
endfunction()

if(WIN32)
  set(system OnWindows)
else()
  set(system OnPosix)
endif()
set(tables "CodePageTables.*")
tralvex_locale_run(german de_DE.UTF-8
                   "DISABLED_GermanUser.*:DISABLED_GermanUser${system}.*:${tables}")
tralvex_locale_run(czech cs_CZ.ISO-8859-2 "DISABLED_CzechUser.*:${tables}")
tralvex_locale_run(russian ru_RU.CP1251 "DISABLED_RussianUser.*:${tables}")
tralvex_locale_run(japanese ja_JP.SJIS "DISABLED_JapaneseUser.*:${tables}")
if(NOT WIN32)
  # Wine takes the ANSI page of the language whatever the codeset.
  tralvex_locale_run(czech_utf8 cs_CZ.UTF-8 "DISABLED_CzechUtf8UserOnPosix.*")
endif()
