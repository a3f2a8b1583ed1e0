quizmark_qtest(questioncountrule_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/questioncountrule_test.cpp
    LIBS quizmark::app quizmark::test_support)
quizmark_qtest(attemptsetup_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/attemptsetup_test.cpp
    LIBS quizmark::app quizmark::test_support)
quizmark_qtest(exam_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/exam_test.cpp
    LIBS quizmark::app quizmark::test_support)
quizmark_qtest(questiondraw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/questiondraw_test.cpp
    LIBS quizmark::app quizmark::test_support)
quizmark_qtest(attemptprogress_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/attemptprogress_test.cpp
    LIBS quizmark::app quizmark::test_support)
quizmark_qtest(bankfilepath_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/bankfilepath_test.cpp
    LIBS quizmark::app)
quizmark_qtest(journalscreens_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/journalscreens_test.cpp
    LIBS quizmark::app quizmark::test_support Qt6::Sql)

# The journal, against a real database file and programs killed or running beside the test.
add_executable(journalchild ${CMAKE_CURRENT_LIST_DIR}/journalchild.cpp ${CMAKE_CURRENT_LIST_DIR}/journalchanges.h)
target_link_libraries(journalchild PRIVATE quizmark::attempt Qt6::Core)
target_include_directories(journalchild PRIVATE ${CMAKE_CURRENT_LIST_DIR})
quizmark_gtest(journal_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/journal_test.cpp ${CMAKE_CURRENT_LIST_DIR}/journalchanges.h
    LIBS quizmark::attempt Qt6::Sql)
target_compile_definitions(journal_test PRIVATE QUIZMARK_TEST_BIN_DIR="${QUIZMARK_BIN_DIR}")
add_dependencies(journal_test journalchild)
quizmark_gtest(statistics_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/statistics_test.cpp
    LIBS quizmark::attempt Qt6::Sql)
