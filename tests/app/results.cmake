quizmark_qtest(scoring_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/scoring_test.cpp
    LIBS quizmark::app quizmark::test_support)
