quizmark_qtest(about_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/about_test.cpp
    LIBS quizmark::app quizmark::test_support)
