# A sanitized build (VELSNAP_SANITIZE): every test, and every program a test
# starts (they inherit the environment), runs with the options in `options`
# and writes any report into sanitizer-reports/ of the build, also where a
# test swallows a child's output; a last test fails when any report is there.
set(reports ${CMAKE_BINARY_DIR}/sanitizer-reports)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/options settings REGEX "^[A-Z]+_OPTIONS=")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/options)
list(TRANSFORM settings REPLACE "%DIR%" ${CMAKE_CURRENT_LIST_DIR})
list(TRANSFORM settings APPEND ":log_path=${reports}/report")

get_property(sanitized DIRECTORY PROPERTY TESTS)
set_property(TEST ${sanitized} APPEND PROPERTY ENVIRONMENT ${settings})
set_property(TEST ${sanitized} APPEND PROPERTY FIXTURES_REQUIRED sanitizer_reports)
foreach(step clear check)
    add_test(NAME sanitizer_reports_${step}
             COMMAND ${CMAKE_COMMAND} -DSTEP=${step} -DREPORTS=${reports} -P ${CMAKE_CURRENT_LIST_DIR}/reports.cmake)
endforeach()
set_tests_properties(sanitizer_reports_clear PROPERTIES FIXTURES_SETUP sanitizer_reports)
set_tests_properties(sanitizer_reports_check PROPERTIES FIXTURES_CLEANUP sanitizer_reports)
