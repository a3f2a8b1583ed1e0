# The end of an attempt: the scoring, the results screen and the answer review.
target_sources(quizmark_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/answerticks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/answerticks.h
    ${CMAKE_CURRENT_LIST_DIR}/attemptreport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/attemptreport.h
    ${CMAKE_CURRENT_LIST_DIR}/attemptscore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/attemptscore.h
    ${CMAKE_CURRENT_LIST_DIR}/results.cpp
    ${CMAKE_CURRENT_LIST_DIR}/results.h
    ${CMAKE_CURRENT_LIST_DIR}/results.ui
    ${CMAKE_CURRENT_LIST_DIR}/resultreview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resultreview.h
    ${CMAKE_CURRENT_LIST_DIR}/resultreview.ui
    ${CMAKE_CURRENT_LIST_DIR}/verdictcolour.cpp
    ${CMAKE_CURRENT_LIST_DIR}/verdictcolour.h
)
