#include "conversions.h"

#include "runtimeerror.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace platform {

namespace {

template <typename Int> Int roundToInteger(double value)
{
    if (std::isnan(value))
        throw RuntimeError(ErrorNumber::Overflow);
    const double rounded = std::nearbyint(value); // the default rounding mode is to nearest, ties to even
    if (rounded < double(std::numeric_limits<Int>::min()) || rounded > double(std::numeric_limits<Int>::max()))
        throw RuntimeError(ErrorNumber::Overflow);
    return Int(rounded);
}

bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

double radixValue(const QString& digits, int radix)
{
    double value = 0;
    for (QChar c : digits) {
        const int digit = c.isDigit() ? c.digitValue() : (c.toUpper().unicode() - 'A' + 10);
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    // Hundreds of digits would otherwise carry the value past every double.
    if (std::isinf(value))
        throw RuntimeError(ErrorNumber::Overflow);
    return value;
}

// Qt writes exponents as "e+07" or "e-05"; the runtime writes "E+07" and "E-05".
QString runtimeExponent(QString text)
{
    const auto e = text.indexOf(u'e');
    if (e < 0)
        return text;
    QString mantissa = text.left(e);
    QString exponent = text.mid(e + 1);
    const QChar sign = exponent.front();
    exponent.remove(0, 1);
    while (exponent.size() < 2)
        exponent.prepend(u'0');
    return mantissa + u'E' + sign + exponent;
}

// 10 to the power of the significant digits: whole numbers below it are written digit for digit.
double wholeLimit(int significantDigits)
{
    return significantDigits == 7 ? 1e7 : 1e15;
}

QString numberText(double value, int significantDigits)
{
    if (value == 0)
        return QStringLiteral("0");
    // The common case of chart ticks and scores: the integer's own digits, without the general
    // formatter and the locale look-up that a fraction needs.
    if (std::fabs(value) < wholeLimit(significantDigits) && std::trunc(value) == value)
        return QString::number(std::int64_t(value));
    QString text = runtimeExponent(QString::number(value, 'g', significantDigits));
    const QChar point = QLocale().decimalPoint().front();
    if (point != u'.')
        text.replace(u'.', point);
    return text;
}

} // namespace

std::int16_t CInt(double value)
{
    return roundToInteger<std::int16_t>(value);
}

std::int32_t CLng(double value)
{
    return roundToInteger<std::int32_t>(value);
}

std::int16_t addInteger(std::int16_t a, std::int16_t b)
{
    return CInt(double(a) + double(b));
}

std::int16_t subtractInteger(std::int16_t a, std::int16_t b)
{
    return CInt(double(a) - double(b));
}

double Val(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!isSkipped(c))
            s += c;

    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        if (kind == u'H')
            return radixValue(s.mid(2), 16);
        if (kind == u'O')
            return radixValue(s.mid(2), 8);
        return radixValue(s.mid(1), 8);
    }

    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number += s[i++];
    bool digits = false;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        number += s[i++];
        digits = true;
    }
    if (i < s.size() && s[i] == u'.') {
        number += s[i++];
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            number += s[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        QString exponent = QStringLiteral("e");
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exponent += s[j++];
        bool exponentDigits = false;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128) {
            exponent += s[j++];
            exponentDigits = true;
        }
        if (exponentDigits)
            number += exponent;
    }
    const double value = number.toDouble();
    if (std::isinf(value))
        throw RuntimeError(ErrorNumber::Overflow);
    return value;
}

QString integerText(std::int32_t value)
{
    return QString::number(value);
}

QString singleText(float value)
{
    return numberText(double(value), 7);
}

QString doubleText(double value)
{
    return numberText(value, 15);
}

} // namespace platform
