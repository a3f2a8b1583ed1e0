# The screens of one attempt, from the exam selection to the end of the exam.
target_sources(quizmark_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/exam.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exam.h
    ${CMAKE_CURRENT_LIST_DIR}/exam.ui
    ${CMAKE_CURRENT_LIST_DIR}/examselect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/examselect.h
    ${CMAKE_CURRENT_LIST_DIR}/examselect.ui
    ${CMAKE_CURRENT_LIST_DIR}/questionselect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/questionselect.h
    ${CMAKE_CURRENT_LIST_DIR}/questionselect.ui
    ${CMAKE_CURRENT_LIST_DIR}/review.cpp
    ${CMAKE_CURRENT_LIST_DIR}/review.h
    ${CMAKE_CURRENT_LIST_DIR}/review.ui
)
