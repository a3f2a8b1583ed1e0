#pragma once

#include <QString>

#include <cstdint>

namespace platform {

// The runtime's Integer and Long: conversion rounds to nearest, halves to even, and raises
// error 6 "Overflow" outside the type's range (NaN included).
std::int16_t CInt(double value);
std::int32_t CLng(double value);

// Integer arithmetic with the runtime's overflow check.
std::int16_t addInteger(std::int16_t a, std::int16_t b);
std::int16_t subtractInteger(std::int16_t a, std::int16_t b);

// The runtime's Val: skips blanks, tabs and line feeds, reads an optional sign, digits, a decimal
// point with fraction and an exponent (E or D), and stops at the first character that cannot go on;
// no leading number reads as 0. "&H" and "&O" prefixes read hexadecimal and octal integers.
double Val(const QString& text);

// Number to text as the runtime writes an Integer, a Single (at most 7 significant digits) and a
// Double (at most 15): no trailing zeros, no trailing point, the locale's decimal separator, and
// "E+nn" exponents once the digits no longer fit.
QString integerText(std::int32_t value);
QString singleText(float value);
QString doubleText(double value);

}
