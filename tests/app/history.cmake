quizmark_qtest(history_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/history_test.cpp
    LIBS quizmark::app quizmark::test_support)
add_dependencies(history_test plotvane)
quizmark_qtest(pluginchartloader_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/pluginchartloader_test.cpp
    LIBS quizmark::app quizmark::test_support)
add_dependencies(pluginchartloader_test plotvane)
# The question statistics: their rows, order and domains without widgets, then the screen.
quizmark_gtest(questionstatisticstable_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/questionstatisticstable_test.cpp
    LIBS quizmark::attempt)
quizmark_qtest(questionstatistics_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/questionstatistics_test.cpp
    LIBS quizmark::app quizmark::test_support)
