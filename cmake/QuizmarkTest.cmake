include(GoogleTest)

# A GoogleTest executable; every test runs with the offscreen platform so no display is needed.
# SERIAL keeps its tests from sharing the machine with others, for those that time themselves.
function(quizmark_gtest name)
    cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${T_LIBS})
    set(serial FALSE)
    if(T_SERIAL)
        set(serial TRUE)
    endif()
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${QUIZMARK_BIN_DIR}
        # One value each: the discovered tests' properties do not survive a list. Leak checks are on
        # by default wherever AddressSanitizer runs here.
        PROPERTIES RUN_SERIAL ${serial} ENVIRONMENT QT_QPA_PLATFORM=offscreen
        DISCOVERY_TIMEOUT 60)
endfunction()

# A Qt Test executable, registered as one CTest test.
function(quizmark_qtest name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${QUIZMARK_BIN_DIR})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1")
endfunction()
