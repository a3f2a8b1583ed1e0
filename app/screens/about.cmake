# The About box.
target_sources(quizmark_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmabout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmabout.h
    ${CMAKE_CURRENT_LIST_DIR}/frmabout.ui
)
