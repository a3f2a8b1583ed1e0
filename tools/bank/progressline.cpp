#include "progressline.h"

#include <cstdio>

#include <unistd.h>

namespace quizmark {

namespace {
constexpr qint64 QuietMilliseconds = 1000;
constexpr qint64 RefreshMilliseconds = 100;
} // namespace

ProgressLine::ProgressLine(QString doing, qint64 total, QString unit)
    : m_doing(std::move(doing))
    , m_total(total)
    , m_unit(std::move(unit))
    , m_terminal(isatty(STDERR_FILENO) == 1)
{
    m_started.start();
}

ProgressLine::~ProgressLine()
{
    clear();
}

void ProgressLine::advance(qint64 done)
{
    m_done = done;
    if (!m_terminal)
        return;
    const qint64 elapsed = m_started.elapsed();
    if (elapsed < QuietMilliseconds || elapsed - m_lastShown < RefreshMilliseconds)
        return;
    m_lastShown = elapsed;
    show();
}

void ProgressLine::show()
{
    // Written straight to the terminal, past the buffered messages, and erased to the line's end.
    const QByteArray line
        = QStringLiteral("\r%1: %2 of %3 %4\x1b[K").arg(m_doing).arg(m_done).arg(m_total).arg(m_unit).toUtf8();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    std::fflush(stderr);
    m_shown = true;
}

void ProgressLine::clear()
{
    if (!m_shown)
        return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    m_shown = false;
}

} // namespace quizmark
