# The end of an attempt: the results screen and the answer review.
target_sources(quizmark_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/results.cpp
    ${CMAKE_CURRENT_LIST_DIR}/results.h
    ${CMAKE_CURRENT_LIST_DIR}/results.ui
    ${CMAKE_CURRENT_LIST_DIR}/resultreview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resultreview.h
    ${CMAKE_CURRENT_LIST_DIR}/resultreview.ui
)
