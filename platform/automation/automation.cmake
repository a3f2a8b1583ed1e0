target_sources(quizmark_platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/dispatch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fontobject.cpp
    ${CMAKE_CURRENT_LIST_DIR}/safearray.cpp
    ${CMAKE_CURRENT_LIST_DIR}/variant.cpp
)
# The font object maps to a QFont.
target_link_libraries(quizmark_platform PUBLIC Qt6::Gui)
