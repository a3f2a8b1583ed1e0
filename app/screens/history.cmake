# The score history screen, the question statistics opened from it, and the loader of the chart library
# they show.
target_sources(quizmark_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../chartloader.h
    ${CMAKE_CURRENT_LIST_DIR}/../chartplacement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../chartplacement.h
    ${CMAKE_CURRENT_LIST_DIR}/../pluginchartloader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../pluginchartloader.h
    ${CMAKE_CURRENT_LIST_DIR}/history.cpp
    ${CMAKE_CURRENT_LIST_DIR}/history.h
    ${CMAKE_CURRENT_LIST_DIR}/history.ui
    ${CMAKE_CURRENT_LIST_DIR}/questionstatistics.cpp
    ${CMAKE_CURRENT_LIST_DIR}/questionstatistics.h
    ${CMAKE_CURRENT_LIST_DIR}/questionstatistics.ui
)
