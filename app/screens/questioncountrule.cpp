#include "questioncountrule.h"

#include "module1.h"

#include "platform/conversions.h"

#include <algorithm>
#include <limits>

namespace quizmark {

namespace {

// Below this a value no longer rounds into an Integer.
constexpr double IntegerFloor = std::numeric_limits<std::int16_t>::min() - 0.5;

bool holdsAnInteger(double value) { return value > IntegerFloor; }

}

QuestionCountRule::QuestionCountRule(int questionTotal)
    : m_cap(std::min({ questionTotal, MaxPositions, MaxExamMinutes }))
{
}

bool QuestionCountRule::wipes(const QString& text) const
{
    const double value = platform::Val(text);
    if (value > m_cap || value == 0 || !holdsAnInteger(value))
        return true;
    return platform::CInt(value) == 0;
}

std::int16_t QuestionCountRule::timeGiven(const QString& text)
{
    const double value = platform::Val(text);
    return holdsAnInteger(value) ? platform::CInt(value) : std::int16_t(0);
}

std::optional<std::int16_t> QuestionCountRule::questionsToTake(const QString& text) const
{
    const double value = platform::Val(text);
    if (!(value > 0) || value > m_cap)
        return std::nullopt;
    const std::int16_t questions = platform::CInt(value);
    if (questions < 1)
        return std::nullopt;
    return questions;
}

}
