# The installed layout: the programs in bin/, their own shared libraries in a private library folder,
# the chart control in a private plugin folder below it, the sample exams in share/quizmark/dat.
# Every path between them is relative, so a moved install keeps working.
include(CMakePackageConfigHelpers)

set(QUIZMARK_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/quizmark)
set(QUIZMARK_PLUGINDIR ${QUIZMARK_PRIVATE_LIBDIR}/plugins)
set(QUIZMARK_DATADIR ${CMAKE_INSTALL_DATADIR}/quizmark)
set(PLOTVANE_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/plotvane)
file(RELATIVE_PATH QUIZMARK_LIBS_FROM_PROGRAM /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${QUIZMARK_PRIVATE_LIBDIR})

set(QUIZMARK_PROGRAMS quizmark)
foreach(tool quizmark-bank plotvane-render)
    if(TARGET ${tool})
        list(APPEND QUIZMARK_PROGRAMS ${tool})
    endif()
endforeach()
set_target_properties(${QUIZMARK_PROGRAMS} PROPERTIES INSTALL_RPATH "$ORIGIN/${QUIZMARK_LIBS_FROM_PROGRAM}")
set_target_properties(quizmark_platform quizmark_platform_gui PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(plotvane PROPERTIES INSTALL_RPATH "$ORIGIN/..")

install(TARGETS ${QUIZMARK_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
install(TARGETS quizmark_platform_gui LIBRARY DESTINATION ${QUIZMARK_PRIVATE_LIBDIR} NAMELINK_SKIP
    COMPONENT program)
install(TARGETS quizmark_platform EXPORT PlotvaneTargets
    LIBRARY DESTINATION ${QUIZMARK_PRIVATE_LIBDIR} COMPONENT program)
install(TARGETS plotvane EXPORT PlotvaneTargets
    LIBRARY DESTINATION ${QUIZMARK_PLUGINDIR} COMPONENT program)
# Both <plotvane/plotvanefactory.h> and <plotvanefactory.h> reach the headers.
target_include_directories(plotvane PUBLIC $<INSTALL_INTERFACE:${PLOTVANE_INCLUDEDIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

# The control's interface as a container sees it, with the platform types it passes.
install(FILES
    ${PROJECT_SOURCE_DIR}/chart/eventsink.h
    ${PROJECT_SOURCE_DIR}/chart/plotvanecontrol.h
    ${PROJECT_SOURCE_DIR}/chart/plotvanefactory.h
    ${PROJECT_SOURCE_DIR}/chart/plotvaneidentity.h
    ${PROJECT_SOURCE_DIR}/chart/propertybag.h
    DESTINATION ${PLOTVANE_INCLUDEDIR} COMPONENT program)
install(FILES
    ${PROJECT_SOURCE_DIR}/platform/messageboxes.h
    ${PROJECT_SOURCE_DIR}/platform/runtimeerror.h
    DESTINATION ${PLOTVANE_INCLUDEDIR}/platform COMPONENT program)
install(FILES
    ${PROJECT_SOURCE_DIR}/platform/automation/dispatch.h
    ${PROJECT_SOURCE_DIR}/platform/automation/fontobject.h
    ${PROJECT_SOURCE_DIR}/platform/automation/safearray.h
    ${PROJECT_SOURCE_DIR}/platform/automation/variant.h
    DESTINATION ${PLOTVANE_INCLUDEDIR}/platform/automation COMPONENT program)

set(PLOTVANE_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Plotvane)
install(EXPORT PlotvaneTargets NAMESPACE Plotvane:: DESTINATION ${PLOTVANE_CMAKEDIR} COMPONENT program)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/PlotvaneConfig.cmake.in
    ${PROJECT_BINARY_DIR}/PlotvaneConfig.cmake
    INSTALL_DESTINATION ${PLOTVANE_CMAKEDIR}
    PATH_VARS PLOTVANE_INCLUDEDIR QUIZMARK_PLUGINDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PlotvaneConfigVersion.cmake
    VERSION 2.0.0 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PlotvaneConfig.cmake ${PROJECT_BINARY_DIR}/PlotvaneConfigVersion.cmake
    DESTINATION ${PLOTVANE_CMAKEDIR} COMPONENT program)
file(RELATIVE_PATH PLOTVANE_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${PROJECT_SOURCE_DIR}/cmake/plotvane.pc.in ${PROJECT_BINARY_DIR}/plotvane.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/plotvane.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT program)

# The sample exams as the build wrote them, with the domains beside their banks; a score history
# left by a trial run stays behind.
install(DIRECTORY ${QUIZMARK_BIN_DIR}/dat/ DESTINATION ${QUIZMARK_DATADIR}/dat COMPONENT program
    FILES_MATCHING PATTERN "*.dat" PATTERN "*.dat.domains" PATTERN "results.dat" EXCLUDE)

set(QUIZMARK_DIST ${PROJECT_SOURCE_DIR}/dist)
install(FILES ${QUIZMARK_DIST}/org.quizmark.Quizmark.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    COMPONENT program)
install(FILES ${QUIZMARK_DIST}/org.quizmark.Quizmark.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
    COMPONENT program)
install(FILES ${QUIZMARK_DIST}/icons/org.quizmark.Quizmark.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT program)
foreach(size 16 32 48 64 128 256)
    install(FILES ${QUIZMARK_DIST}/icons/${size}/org.quizmark.Quizmark.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT program)
endforeach()
# The pages carry the build's version, as the About box does.
foreach(page quizmark quizmark-bank plotvane-render)
    set(source ${PROJECT_BINARY_DIR}/man/${page}.1)
    configure_file(${QUIZMARK_DIST}/man/${page}.1.in ${source} @ONLY)
    set(gz ${source}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND gzip -9 -n -c ${source} > ${gz}
        DEPENDS ${source} VERBATIM)
    list(APPEND QUIZMARK_MAN_PAGES ${gz})
endforeach()
add_custom_target(quizmark_man ALL DEPENDS ${QUIZMARK_MAN_PAGES})
install(FILES ${QUIZMARK_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)

# What Debian asks of every package: its copyright and its change log.
set(QUIZMARK_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quizmark)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
    COMMAND gzip -9 -n -c ${QUIZMARK_DIST}/changelog > ${PROJECT_BINARY_DIR}/changelog.gz
    DEPENDS ${QUIZMARK_DIST}/changelog VERBATIM)
add_custom_target(quizmark_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${QUIZMARK_DIST}/copyright ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${QUIZMARK_DOCDIR}
    COMPONENT program)
