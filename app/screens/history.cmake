# The score history screen and the loader of the chart library it shows.
target_sources(quizmark_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../chartloader.h
    ${CMAKE_CURRENT_LIST_DIR}/../pluginchartloader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../pluginchartloader.h
    ${CMAKE_CURRENT_LIST_DIR}/history.cpp
    ${CMAKE_CURRENT_LIST_DIR}/history.h
    ${CMAKE_CURRENT_LIST_DIR}/history.ui
)
