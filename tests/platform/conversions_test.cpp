#include "platform/conversions.h"
#include "platform/runtimeerror.h"

#include <QLocale>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace platform;

namespace {

int errorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

} // namespace

TEST(Conversions, IntegerRoundsHalvesToEven)
{
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(-3.5), -4);
    EXPECT_EQ(CInt(2.4999), 2);
    EXPECT_EQ(CInt(2.5001), 3);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.5), -32768);
    EXPECT_EQ(CLng(1.5), 2);
    EXPECT_EQ(CLng(2147483647.4), 2147483647);
}

TEST(Conversions, OutOfRangeIsOverflowNeverWraps)
{
    EXPECT_EQ(errorNumberOf([] { CInt(32767.5); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([] { CInt(-32769); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([] { CInt(1e300); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([] { Val(QStringLiteral("&H") + QString(300, u'F')); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([] { Val(QStringLiteral("&O") + QString(400, u'7')); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([] { Val(QStringLiteral("&") + QString(400, u'7')); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([] { CInt(std::nan("")); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([] { CLng(2147483647.5); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([] { addInteger(32767, 1); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([] { subtractInteger(-32768, 1); }), ErrorNumber::Overflow);
    EXPECT_EQ(addInteger(32766, 1), 32767);
}

TEST(Conversions, OverflowCarriesTheStandardMessage)
{
    try {
        CInt(40000);
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.description(), QStringLiteral("Overflow"));
        EXPECT_EQ(error.message(), QStringLiteral("Overflow"));
    }
}

struct ValCase
{
    const char* text;
    double value;
};

class ValTest : public ::testing::TestWithParam<ValCase>
{
};

TEST_P(ValTest, ReadsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(GetParam().text)), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ValTest,
                         ::testing::Values(ValCase{ "12abc", 12 }, ValCase{ " 2.5", 2.5 }, ValCase{ "-3", -3 },
                                           ValCase{ "", 0 }, ValCase{ "1e2", 100 }, ValCase{ "abc", 0 },
                                           ValCase{ "1 2 3", 123 }, ValCase{ "\t+7", 7 }, ValCase{ ".5", 0.5 },
                                           ValCase{ "3.", 3 }, ValCase{ "2e", 2 }, ValCase{ "2e+", 2 },
                                           ValCase{ "1.5D1", 15 }, ValCase{ "-", 0 }, ValCase{ "&H1F", 31 },
                                           ValCase{ "&O17", 15 }, ValCase{ "10,5", 10 }, ValCase{ "1.2.3", 1.2 }));

TEST(Conversions, ValOfAnOverlargeExponentOverflows)
{
    EXPECT_EQ(errorNumberOf([] { Val(QStringLiteral("1e999")); }), ErrorNumber::Overflow);
}

TEST(Conversions, NumberTextDropsTrailingZerosAndKeepsSignificantDigits)
{
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(singleText(7.0f), QStringLiteral("7"));
    EXPECT_EQ(singleText(0.7f * 3.0f), QStringLiteral("2.1"));
    EXPECT_EQ(singleText(17.5f), QStringLiteral("17.5"));
    EXPECT_EQ(singleText(0.7f), QStringLiteral("0.7"));
    EXPECT_EQ(singleText(1.0f / 3.0f), QStringLiteral("0.3333333"));
    EXPECT_EQ(singleText(10000000.0f), QStringLiteral("1E+07"));
    EXPECT_EQ(singleText(0.0f), QStringLiteral("0"));
    EXPECT_EQ(singleText(-0.0f), QStringLiteral("0"));
    EXPECT_EQ(doubleText(1.0 / 3.0), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(doubleText(1e15), QStringLiteral("1E+15"));
    EXPECT_EQ(doubleText(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(integerText(-32768), QStringLiteral("-32768"));
}

// Whole numbers, the chart's usual ticks, against the C library's general format in the C locale.
class WholeNumberText : public ::testing::TestWithParam<double>
{
};

std::string cGeneral(double value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*G", digits, value);
    return text;
}

TEST_P(WholeNumberText, MatchesTheGeneralFormat)
{
    QLocale::setDefault(QLocale::c());
    const double value = GetParam();
    EXPECT_EQ(doubleText(value).toStdString(), value == 0 ? "0" : cGeneral(value, 15));
    const float single = float(value);
    EXPECT_EQ(singleText(single).toStdString(), single == 0 ? "0" : cGeneral(double(single), 7));
}

INSTANTIATE_TEST_SUITE_P(Conversions, WholeNumberText,
                         ::testing::Values(1.0, -1.0, 9.0, 10.0, 70.0, 2600.0, -32768.0, 32767.0, 9999999.0, 10000000.0,
                                           -10000000.0, 12345678.0, 999999999999999.0, -999999999999999.0, 1e15, 1e16,
                                           4503599627370497.0, 1e20, -0.0));

TEST(Conversions, NumberTextUsesTheLocaleDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(singleText(17.5f), QStringLiteral("17,5"));
    QLocale::setDefault(QLocale::c());
}
