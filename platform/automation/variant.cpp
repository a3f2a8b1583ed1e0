#include "variant.h"

#include "safearray.h"

#include "platform/conversions.h"
#include "platform/runtimeerror.h"

#include <QLocale>

#include <cmath>
#include <limits>
#include <optional>

namespace platform {

namespace {

[[noreturn]] void typeMismatch()
{
    throw RuntimeError(ErrorNumber::TypeMismatch);
}

// The number a text holds, in the locale's form or the C one. "nan" and "inf" hold none: the
// locale reads them, but the runtime knows no such numbers.
std::optional<double> numberIn(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double numberFromString(const QString& text)
{
    const std::optional<double> value = numberIn(text);
    if (!value)
        typeMismatch();
    return *value;
}

// The numeric kinds in the order arithmetic widens them.
enum class Rank
{
    Integer,
    Long,
    Single,
    Double
};

Rank rankOf(const Variant& v)
{
    switch (v.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Boolean:
    case Variant::Type::Integer:
        return Rank::Integer;
    case Variant::Type::Long:
        return Rank::Long;
    case Variant::Type::Single:
        return Rank::Single;
    case Variant::Type::Double:
    case Variant::Type::String:
        return Rank::Double;
    default:
        typeMismatch();
    }
}

Rank resultRank(const Variant& a, const Variant& b)
{
    const Rank ra = rankOf(a);
    const Rank rb = rankOf(b);
    // A Long and a Single meet in Double, since a Single cannot hold every Long.
    if ((ra == Rank::Long && rb == Rank::Single) || (ra == Rank::Single && rb == Rank::Long))
        return Rank::Double;
    return std::max(ra, rb);
}

template <typename Op> Variant arithmetic(const Variant& a, const Variant& b, Op op)
{
    const double value = op(a.toDouble(), b.toDouble());
    switch (resultRank(a, b)) {
    case Rank::Integer:
        if (value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max())
            return Variant(std::int16_t(value));
        [[fallthrough]];
    case Rank::Long:
        if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())
            return Variant(std::int32_t(value));
        return Variant(value);
    case Rank::Single:
        if (std::isinf(float(value)) && !std::isinf(value))
            return Variant(value);
        return Variant(float(value));
    case Rank::Double:
        return Variant(value);
    }
    return Variant(value);
}

} // namespace

Variant::Type Variant::type() const
{
    static constexpr Type types[] = { Type::Empty,  Type::Integer, Type::Long,   Type::Single, Type::Double,
                                      Type::String, Type::Boolean, Type::Object, Type::Array };
    return types[m_value.index()];
}

bool Variant::isNumeric() const
{
    switch (type()) {
    case Type::Empty:
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Boolean:
        return true;
    case Type::String:
        return numberIn(std::get<QString>(m_value)).has_value();
    default:
        return false;
    }
}

double Variant::convertedToDouble() const
{
    switch (type()) {
    case Type::Empty:
        return 0;
    case Type::Integer:
        return std::get<std::int16_t>(m_value);
    case Type::Long:
        return std::get<std::int32_t>(m_value);
    case Type::Single:
        return std::get<float>(m_value);
    case Type::Double:
        return std::get<double>(m_value);
    case Type::Boolean:
        return std::get<bool>(m_value) ? -1 : 0;
    case Type::String:
        return numberFromString(std::get<QString>(m_value));
    default:
        typeMismatch();
    }
}

float Variant::toSingle() const
{
    const double value = toDouble();
    if (std::abs(value) > double(std::numeric_limits<float>::max()))
        throw RuntimeError(ErrorNumber::Overflow);
    return float(value);
}

std::int16_t Variant::toInteger() const
{
    return CInt(toDouble());
}

std::int32_t Variant::toLong() const
{
    return CLng(toDouble());
}

bool Variant::toBoolean() const
{
    if (type() == Type::String) {
        const QString text = std::get<QString>(m_value).trimmed();
        if (text.compare(u"True", Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"False", Qt::CaseInsensitive) == 0)
            return false;
    }
    return toDouble() != 0;
}

QString Variant::toString() const
{
    switch (type()) {
    case Type::Empty:
        return {};
    case Type::Integer:
        return integerText(std::get<std::int16_t>(m_value));
    case Type::Long:
        return integerText(std::get<std::int32_t>(m_value));
    case Type::Single:
        return singleText(std::get<float>(m_value));
    case Type::Double:
        return doubleText(std::get<double>(m_value));
    case Type::Boolean:
        return std::get<bool>(m_value) ? QStringLiteral("True") : QStringLiteral("False");
    case Type::String:
        return std::get<QString>(m_value);
    default:
        typeMismatch();
    }
}

std::shared_ptr<AutomationObject> Variant::toObject() const
{
    if (type() != Type::Object)
        throw RuntimeError(ErrorNumber::ObjectRequired);
    return std::get<std::shared_ptr<AutomationObject>>(m_value);
}

std::shared_ptr<SafeArray> Variant::toArray() const
{
    if (type() != Type::Array)
        typeMismatch();
    return std::get<std::shared_ptr<SafeArray>>(m_value);
}

int Variant::compare(const Variant& a, const Variant& b)
{
    const bool aText = a.type() == Type::String;
    const bool bText = b.type() == Type::String;
    if ((aText && (bText || b.isEmpty())) || (bText && a.isEmpty())) {
        const int order = QString::compare(a.toString(), b.toString(), Qt::CaseSensitive);
        return (order > 0) - (order < 0);
    }
    const double x = a.toDouble();
    const double y = b.toDouble();
    return (x > y) - (x < y);
}

Variant operator+(const Variant& a, const Variant& b)
{
    if (a.type() == Variant::Type::String && b.type() == Variant::Type::String)
        return Variant(a.toString() + b.toString());
    return arithmetic(a, b, [](double x, double y) { return x + y; });
}

Variant operator-(const Variant& a, const Variant& b)
{
    return arithmetic(a, b, [](double x, double y) { return x - y; });
}

Variant operator*(const Variant& a, const Variant& b)
{
    return arithmetic(a, b, [](double x, double y) { return x * y; });
}

Variant operator/(const Variant& a, const Variant& b)
{
    const double divisor = b.toDouble();
    if (divisor == 0)
        throw RuntimeError(ErrorNumber::DivisionByZero);
    const double value = a.toDouble() / divisor;
    // Two Singles (or smaller) divide into a Single; anything wider into a Double.
    if (resultRank(a, b) == Rank::Single)
        return Variant(float(value));
    return Variant(value);
}

} // namespace platform
