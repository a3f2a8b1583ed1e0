#include "platform/automation/safearray.h"
#include "platform/automation/variant.h"
#include "platform/runtimeerror.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace platform;
using Type = Variant::Type;

namespace {

int errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}

class VariantTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
};

}

TEST_F(VariantTest, ConvertsAsTheRuntimeDoes)
{
    EXPECT_EQ(Variant().toDouble(), 0);
    EXPECT_EQ(Variant().toString(), QString());
    EXPECT_EQ(Variant(true).toInteger(), -1);
    EXPECT_EQ(Variant(false).toString(), QStringLiteral("False"));
    EXPECT_EQ(Variant(2.5).toInteger(), 2);
    EXPECT_EQ(Variant(3.5f).toLong(), 4);
    EXPECT_EQ(Variant(" 12.5 ").toDouble(), 12.5);
    EXPECT_EQ(Variant(17.5f).toString(), QStringLiteral("17.5"));
    EXPECT_EQ(Variant(std::int16_t(7)).toString(), QStringLiteral("7"));
    EXPECT_TRUE(Variant("true").toBoolean());
    EXPECT_TRUE(Variant(0.1).toBoolean());
    EXPECT_FALSE(Variant("0").toBoolean());
    EXPECT_EQ(errorOf([] { Variant("12abc").toDouble(); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(errorOf([] { Variant(40000.0).toInteger(); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorOf([] { Variant(1e300).toSingle(); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorOf([] { Variant(1.0).toObject(); }), ErrorNumber::ObjectRequired);
    EXPECT_EQ(errorOf([] { Variant(1.0).toArray(); }), ErrorNumber::TypeMismatch);
    EXPECT_FALSE(Variant("x").isNumeric());
    EXPECT_TRUE(Variant("-3").isNumeric());
}

TEST_F(VariantTest, ComparesWithEmptyAsZero)
{
    EXPECT_EQ(Variant::compare(Variant(), Variant(std::int16_t(0))), 0);
    EXPECT_EQ(Variant::compare(Variant(), Variant(0.5)), -1);
    EXPECT_EQ(Variant::compare(Variant(std::int16_t(-1)), Variant()), -1);
    EXPECT_EQ(Variant::compare(Variant(), Variant(QString())), 0);
    EXPECT_EQ(Variant::compare(Variant("b"), Variant("a")), 1);
    EXPECT_EQ(Variant::compare(Variant(7.0f), Variant(std::int32_t(7))), 0);
    EXPECT_EQ(Variant::compare(Variant("10"), Variant(9.0)), 1);
    EXPECT_TRUE(Variant(true) == Variant(std::int16_t(-1)));
}

TEST_F(VariantTest, ArithmeticWidensOnOverflowAndKeepsSingles)
{
    const Variant sum = Variant(std::int16_t(32767)) + Variant(std::int16_t(1));
    EXPECT_EQ(sum.type(), Type::Long);
    EXPECT_EQ(sum.toLong(), 32768);
    EXPECT_EQ((Variant(std::int16_t(2)) + Variant(std::int16_t(3))).type(), Type::Integer);
    EXPECT_EQ((Variant() + Variant()).type(), Type::Integer);
    EXPECT_EQ((Variant(std::int32_t(2147483647)) + Variant(std::int32_t(1))).type(), Type::Double);
    EXPECT_EQ((Variant(0.7f) * Variant(std::int16_t(3))).type(), Type::Single);
    EXPECT_EQ((Variant(0.7f) * Variant(std::int16_t(3))).toString(), QStringLiteral("2.1"));
    EXPECT_EQ((Variant(1.0f) + Variant(std::int32_t(1))).type(), Type::Double);
    EXPECT_EQ((Variant("ab") + Variant("cd")).toString(), QStringLiteral("abcd"));
    EXPECT_EQ((Variant("2") + Variant(std::int16_t(3))).toDouble(), 5);
    EXPECT_EQ((Variant(std::int16_t(7)) / Variant(std::int16_t(2))).type(), Type::Double);
    EXPECT_EQ((Variant(std::int16_t(7)) / Variant(std::int16_t(2))).toDouble(), 3.5);
    EXPECT_EQ(errorOf([] { Variant(1.0) / Variant(); }), ErrorNumber::DivisionByZero);
    EXPECT_EQ(errorOf([] { Variant(std::shared_ptr<AutomationObject>()) + Variant(1.0); }), ErrorNumber::TypeMismatch);
}

TEST_F(VariantTest, ArraysKeepTheirBoundsAndAreSharedUntilCloned)
{
    auto table = std::make_shared<SafeArray>(0, 3, 0, 1);
    EXPECT_EQ(table->lowerBound(1), 0);
    EXPECT_EQ(table->upperBound(1), 3);
    EXPECT_EQ(table->upperBound(2), 1);
    EXPECT_TRUE((*table)(3, 1).isEmpty());
    (*table)(2, 1) = Variant(7.0f);
    const Variant held(table);
    EXPECT_EQ(held.type(), Type::Array);
    EXPECT_EQ((*held.toArray())(2, 1).toDouble(), 7.0);

    auto copy = table->clone();
    (*table)(2, 1) = Variant(9.0f);
    EXPECT_EQ((*copy)(2, 1).toDouble(), 7.0);
    EXPECT_EQ(errorOf([&] { (*table)(4, 0); }), ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { (*table)(0, -1); }), ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { table->lowerBound(3); }), ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([] { SafeArray(1, 0, 0, 0); }), ErrorNumber::SubscriptOutOfRange);
}
