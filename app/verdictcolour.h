#pragma once

#include <QColor>

class QPalette;

namespace quizmark {

// The colour of a pass (positive) or a fail (negative) on a palette's window background: a green
// or a red dark enough to read on a light window and light enough to read on a dark one.
QColor verdictColour(const QPalette& palette, bool passed);

} // namespace quizmark
