#include "examkeys.h"

#include <QShortcut>
#include <QWidget>

namespace quizmark {

namespace {

constexpr int OptionKeys = 4;

}

ExamKeys::ExamKeys(QWidget* screen)
    : QObject(screen)
{
    // A window shortcut inside a child window of the main window acts only while that child has the focus.
    const auto add = [screen](QKeyCombination key) { return new QShortcut(QKeySequence(key), screen); };
    for (int option = 1; option <= OptionKeys; ++option) {
        const auto digit = Qt::Key(Qt::Key_0 + option);
        for (QShortcut* key : { add(digit), add(Qt::KeypadModifier | digit) })
            connect(key, &QShortcut::activated, this, [this, option] { emit optionKey(option); });
    }
    connect(add(Qt::Key_PageDown), &QShortcut::activated, this, &ExamKeys::nextKey);
    connect(add(Qt::Key_PageUp), &QShortcut::activated, this, &ExamKeys::previousKey);
}

} // namespace quizmark
