#include "platform/automation/dispatch.h"
#include "platform/automation/fontobject.h"
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

class VariantTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
};

} // namespace

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

// Texts that spell a value no number has are text like any other: not numbers.
class VariantNonFiniteTextTest : public VariantTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(VariantNonFiniteTextTest, IsATypeMismatch)
{
    const Variant text(GetParam());
    EXPECT_FALSE(text.isNumeric());
    EXPECT_EQ(errorOf([&] { text.toDouble(); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(errorOf([&] { text.toLong(); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(errorOf([&] { (void)(text + Variant(1.0)); }), ErrorNumber::TypeMismatch);
    EXPECT_EQ(errorOf([&] { Variant::compare(text, Variant(1.0)); }), ErrorNumber::TypeMismatch);
}

INSTANTIATE_TEST_SUITE_P(Texts, VariantNonFiniteTextTest,
                         ::testing::Values("nan", "NaN", " inf ", "-inf", "+inf", "Infinity", "-INFINITY", "1e999",
                                           "-1e400"));

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

namespace {

// An object with one read-write property (1) and one method (2) that fails like a control does.
class Counter : public Dispatch
{
public:
    long GetIDsOfNames(const QString& name, int& dispid) const override
    {
        if (name.compare(u"Value", Qt::CaseInsensitive) == 0)
            dispid = 1;
        else if (name.compare(u"Fail", Qt::CaseInsensitive) == 0)
            dispid = 2;
        else
            return DispatchStatus::UnknownName;
        return DispatchStatus::Ok;
    }
    long Invoke(int dispid, InvokeKind kind, std::vector<Variant>& arguments, Variant& result,
                ExceptionInfo& exception) override
    {
        if (dispid == 1 && kind == InvokeKind::PropertyGet) {
            result = value;
            return DispatchStatus::Ok;
        }
        if (dispid == 1 && kind == InvokeKind::PropertyPut) {
            if (arguments.size() != 1)
                return DispatchStatus::BadParamCount;
            value = arguments.back();
            return DispatchStatus::Ok;
        }
        if (dispid == 2 && kind == InvokeKind::Method) {
            exception = { 32007, QStringLiteral("Counter"), QStringLiteral("It failed") };
            return DispatchStatus::Exception;
        }
        return DispatchStatus::MemberNotFound;
    }
    Variant value;
};

} // namespace

TEST_F(VariantTest, DispatchFailuresBecomeRuntimeErrors)
{
    Counter counter;
    int dispid = 0;
    EXPECT_EQ(counter.GetIDsOfNames(QStringLiteral("vALUE"), dispid), DispatchStatus::Ok);
    EXPECT_EQ(dispid, 1);
    invoke(counter, 1, InvokeKind::PropertyPut, { Variant(std::int16_t(5)) });
    EXPECT_EQ(invoke(counter, 1, InvokeKind::PropertyGet).toInteger(), 5);
    try {
        invoke(counter, 2, InvokeKind::Method);
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 32007);
        EXPECT_EQ(error.description(), QStringLiteral("It failed"));
        EXPECT_EQ(error.source(), QStringLiteral("Counter"));
    }
    EXPECT_EQ(errorOf([&] { invoke(counter, 9, InvokeKind::Method); }), ErrorNumber::ObjectDoesNotSupportMember);
    EXPECT_EQ(errorOf([&] { invoke(counter, 1, InvokeKind::PropertyPut, {}); }), ErrorNumber::WrongNumberOfArguments);
}

TEST_F(VariantTest, FontsAreSharedByReference)
{
    auto font = std::make_shared<FontObject>(QStringLiteral("MS Sans Serif"), 8.25);
    const Variant first(std::static_pointer_cast<AutomationObject>(font));
    const Variant second = first;
    FontObject::from(second)->Bold = true;
    EXPECT_TRUE(FontObject::from(first)->Bold);
    EXPECT_DOUBLE_EQ(font->toQFont().pointSizeF(), 8.25);
    EXPECT_TRUE(font->toQFont().bold());
    EXPECT_EQ(errorOf([] { FontObject::from(Variant(1.0)); }), ErrorNumber::ObjectRequired);
    auto other = std::make_shared<Counter>();
    EXPECT_EQ(errorOf([&] { FontObject::from(Variant(std::static_pointer_cast<AutomationObject>(other))); }),
              ErrorNumber::TypeMismatch);
}
