# The screens of one attempt, from the exam selection to the end of the exam.
target_sources(quizmark_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/attemptprogress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/attemptprogress.h
    ${CMAKE_CURRENT_LIST_DIR}/bankfilepath.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bankfilepath.h
    ${CMAKE_CURRENT_LIST_DIR}/exam.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exam.h
    ${CMAKE_CURRENT_LIST_DIR}/exam.ui
    ${CMAKE_CURRENT_LIST_DIR}/examkeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/examkeys.h
    ${CMAKE_CURRENT_LIST_DIR}/examselect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/examselect.h
    ${CMAKE_CURRENT_LIST_DIR}/examselect.ui
    ${CMAKE_CURRENT_LIST_DIR}/questioncountrule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/questioncountrule.h
    ${CMAKE_CURRENT_LIST_DIR}/questiondraw.cpp
    ${CMAKE_CURRENT_LIST_DIR}/questiondraw.h
    ${CMAKE_CURRENT_LIST_DIR}/questionselect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/questionselect.h
    ${CMAKE_CURRENT_LIST_DIR}/questionselect.ui
    ${CMAKE_CURRENT_LIST_DIR}/review.cpp
    ${CMAKE_CURRENT_LIST_DIR}/review.h
    ${CMAKE_CURRENT_LIST_DIR}/review.ui
    ${CMAKE_CURRENT_LIST_DIR}/wholebanksetting.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wholebanksetting.h
)
