#pragma once

#include <QElapsedTimer>
#include <QString>

namespace quizmark {

// One line on standard error telling how far long work has come ("checking: 3 of 40 exams"),
// rewritten in place. It shows only while standard error is a terminal and once the work has run
// over a second, and is cleared when the work ends.
class ProgressLine
{
public:
    ProgressLine(QString doing, qint64 total, QString unit);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void advance(qint64 done);
    void advanceBy(qint64 step) { advance(m_done + step); }

private:
    void show();
    void clear();

    QString m_doing;
    qint64 m_total;
    QString m_unit;
    qint64 m_done = 0;
    bool m_terminal;
    bool m_shown = false;
    QElapsedTimer m_started;
    qint64 m_lastShown = 0;
};

} // namespace quizmark
