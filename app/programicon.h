#pragma once

#include <QIcon>

namespace quizmark {

// Quizmark's own icon, at every size the install ships, for the frames of the main window and its screens.
QIcon programIcon();

} // namespace quizmark
