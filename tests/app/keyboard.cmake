# The whole road by keyboard, and what assistive technology is told on every screen.
quizmark_qtest(keyboard_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/keyboard_test.cpp
    LIBS quizmark::app quizmark::test_support)
add_dependencies(keyboard_test plotvane)
# The countdown's announcements counted as a screen reader would receive them.
add_test(NAME keyboard_test_accessibility_bus
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/with-accessibility-bus.sh $<TARGET_FILE:keyboard_test> theCountdownSpeaksNowAndThen
    WORKING_DIRECTORY ${QUIZMARK_BIN_DIR})
