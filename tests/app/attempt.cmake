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
