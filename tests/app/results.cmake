quizmark_qtest(scoring_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/scoring_test.cpp
    LIBS quizmark::app quizmark::test_support)
quizmark_qtest(results_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/results_test.cpp
    LIBS quizmark::app quizmark::test_support)

# Two appender programs against one score history at once.
add_executable(scoreappender ${CMAKE_CURRENT_LIST_DIR}/scoreappender.cpp)
target_link_libraries(scoreappender PRIVATE quizmark::data quizmark::platform Qt6::Core)
quizmark_qtest(scorehistorystress_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/scorehistorystress_test.cpp
    LIBS quizmark::data Qt6::Core)
add_dependencies(scorehistorystress_test scoreappender)
quizmark_qtest(report_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/report_test.cpp
    LIBS quizmark::app quizmark::test_support)
