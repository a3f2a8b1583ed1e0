# The screens of one attempt, from the exam selection to the set-up of the attempt.
target_sources(quizmark_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/examselect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/examselect.h
    ${CMAKE_CURRENT_LIST_DIR}/examselect.ui
    ${CMAKE_CURRENT_LIST_DIR}/questioncountrule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/questioncountrule.h
    ${CMAKE_CURRENT_LIST_DIR}/questionselect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/questionselect.h
    ${CMAKE_CURRENT_LIST_DIR}/questionselect.ui
)
