# The Debian package of the installed layout (cpack -G DEB).
set(CPACK_PACKAGE_NAME quizmark)
set(CPACK_PACKAGE_VENDOR "The Quizmark developers")
set(CPACK_PACKAGE_CONTACT "The Quizmark developers <maintainers@quizmark.example.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quizmark.example.com/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exam-practice program with a chart of every attempt")
set(CPACK_PACKAGE_DESCRIPTION
    "Quizmark is a desktop program for candidates who prepare for
certification exams. Pick an exam, say how many questions to take (one
minute each), answer them against the clock, then see the score, every
question's result with its explanation, and a chart of all attempts at
that exam. Three sample exams and the quizmark-bank tool, which writes
new exams from JSON sources, come with it, as does the plotvane chart
control with its headers, CMake package and pkg-config file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program's own libraries are in the package itself, not in another one.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_BINARY_DIR}/bin)
# Qt loads its SQLite driver as a plugin, which no linked library names: the attempt journal needs it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
