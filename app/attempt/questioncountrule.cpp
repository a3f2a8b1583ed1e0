#include "questioncountrule.h"

#include "attemptstate.h"

#include "platform/conversions.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <limits>

namespace quizmark {

namespace {

// Beyond these a value no longer rounds into an Integer.
constexpr double IntegerFloor = std::numeric_limits<std::int16_t>::min() - 0.5;
constexpr double IntegerCeiling = std::numeric_limits<std::int16_t>::max() + 0.5;

bool holdsAnInteger(double value)
{
    return value > IntegerFloor && value < IntegerCeiling;
}

// The number a text reads as; none when it is too large for a number at all, such as 1e999.
std::optional<double> valueOf(const QString& text)
{
    try {
        return platform::Val(text);
    } catch (const platform::RuntimeError& error) {
        if (error.number() != platform::ErrorNumber::Overflow)
            throw;
        return std::nullopt;
    }
}

} // namespace

QuestionCountRule::QuestionCountRule(int questionTotal)
    : m_cap(std::min({ questionTotal, MaxPositions, MaxExamMinutes }))
{
}

bool QuestionCountRule::wipes(const QString& text) const
{
    const std::optional<double> read = valueOf(text);
    if (!read)
        return true;
    const double value = *read;
    if (value > m_cap || value == 0 || !holdsAnInteger(value))
        return true;
    return platform::CInt(value) == 0;
}

std::int16_t QuestionCountRule::timeGiven(const QString& text)
{
    const std::optional<double> value = valueOf(text);
    return value && holdsAnInteger(*value) ? platform::CInt(*value) : std::int16_t(0);
}

std::optional<std::int16_t> QuestionCountRule::questionsToTake(const QString& text) const
{
    const std::optional<double> read = valueOf(text);
    if (!read)
        return std::nullopt;
    const double value = *read;
    if (!(value > 0) || value > m_cap)
        return std::nullopt;
    const std::int16_t questions = platform::CInt(value);
    if (questions < 1)
        return std::nullopt;
    return questions;
}

} // namespace quizmark
