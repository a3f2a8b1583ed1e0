#pragma once

#include <QIcon>

namespace quizmark {

// Quizmark's own icon, at the sizes of window frames, for the main window and its screens.
QIcon programIcon();

} // namespace quizmark
