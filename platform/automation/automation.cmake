target_sources(quizmark_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/safearray.cpp
    ${CMAKE_CURRENT_LIST_DIR}/variant.cpp
)
