#pragma once

#include <QAccessible>
#include <QString>

class QLabel;
class QListWidget;
class QWidget;

namespace quizmark {

// What assistive technology hears of the program's texts. Record fields are padded with blanks to
// their width; a screen reader would read them out, so names leave the padding off.
class AccessibleText
{
public:
    // The text without the blanks that pad it to its field's width.
    static QString withoutPadding(const QString& text);
    // Names a widget after a field's text; what the widget shows is left alone.
    static void nameAfter(QWidget* widget, const QString& text);
    // Names every entry of a list after its text without the padding.
    static void nameEntries(QListWidget* list);
    // A number of seconds as a screen reader says it: "4 minutes 59 seconds left".
    static QString timeLeft(int seconds);
    // Tells assistive technology of a change that the widget itself does not report.
    static void tellChanged(QWidget* widget, QAccessible::Event change);
    // Names a widget after its caption and the data it shows: "Your score: 5".
    static void nameWithCaption(QWidget* widget, const QString& caption, const QString& text);
    // A label whose accessible name is its accessible name as a caption, then its text as it is
    // now ("Time left: 9:59"), read when asked: a label that changes every second tells nobody.
    static void leadWithCaption(QLabel* label);
    // Whether a countdown announces this time left: each whole minute left, then 30 and 10 seconds.
    static bool announcesTimeLeft(int seconds);
};

} // namespace quizmark
