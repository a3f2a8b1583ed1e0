// Variant conversions, comparisons and arithmetic on values of every kind: each either gives a
// value of the kind the runtime's widening rules name, or raises one of the runtime's errors.
#include "platform/automation/safearray.h"
#include "platform/automation/variant.h"
#include "platform/runtimeerror.h"

#include <QLocale>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

using platform::RuntimeError;
using platform::Variant;
using Type = Variant::Type;
namespace E = platform::ErrorNumber;

namespace {

Variant makeVariant(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 8)) {
    case 0:
        return Variant();
    case 1:
        return Variant(input.ConsumeIntegral<std::int16_t>());
    case 2:
        return Variant(input.ConsumeIntegral<std::int32_t>());
    case 3:
        return Variant(input.ConsumeFloatingPoint<float>());
    case 4:
        return Variant(input.ConsumeFloatingPoint<double>());
    case 5:
        return Variant(input.ConsumeBool());
    case 6:
        return Variant(std::shared_ptr<platform::AutomationObject>());
    case 7:
        return Variant(std::make_shared<platform::SafeArray>(0, 1, 0, 1));
    default:
        return Variant(QString::fromUtf8(input.ConsumeRandomLengthString(40)));
    }
}

// Runs one step; only the runtime's errors for a value that does not fit may come out of it.
template <typename Step> void expectRuntimeErrorsOnly(Step step)
{
    try {
        step();
    } catch (const RuntimeError& e) {
        const int n = e.number();
        if (n != E::Overflow && n != E::DivisionByZero && n != E::TypeMismatch && n != E::ObjectRequired)
            std::abort();
    }
}

bool isWhole(Type t)
{
    return t == Type::Empty || t == Type::Boolean || t == Type::Integer || t == Type::Long;
}

void conversions(const Variant& v)
{
    expectRuntimeErrorsOnly([&] {
        const double x = v.toDouble();
        // Text that is not a finite number is no number at all.
        if (v.type() == Type::String && !std::isfinite(x))
            std::abort();
        if (isWhole(v.type()) && Variant(v.toString()).toDouble() != x && v.type() != Type::Empty
            && v.type() != Type::Boolean)
            std::abort();
    });
    expectRuntimeErrorsOnly([&] { (void)v.toSingle(); });
    expectRuntimeErrorsOnly([&] {
        const std::int16_t i = v.toInteger();
        if (!(std::fabs(double(i) - v.toDouble()) <= 0.5))
            std::abort();
    });
    expectRuntimeErrorsOnly([&] { (void)v.toLong(); });
    expectRuntimeErrorsOnly([&] { (void)v.toBoolean(); });
    expectRuntimeErrorsOnly([&] { (void)v.toString(); });
    expectRuntimeErrorsOnly([&] { (void)v.isNumeric(); });
}

void comparisons(const Variant& a, const Variant& b)
{
    expectRuntimeErrorsOnly([&] {
        const int ab = Variant::compare(a, b);
        if (ab < -1 || ab > 1 || Variant::compare(b, a) != -ab)
            std::abort();
    });
}

void sumOfWholeNumbers(const Variant& a, const Variant& b)
{
    if (!isWhole(a.type()) || !isWhole(b.type()))
        return;
    // Whole numbers add exactly, widening as far as the sum needs.
    const Variant sum = a + b;
    if (sum.toDouble() != a.toDouble() + b.toDouble())
        std::abort();
    if (sum.type() == Type::Single || sum.type() == Type::String)
        std::abort();
}

void arithmetic(const Variant& a, const Variant& b)
{
    expectRuntimeErrorsOnly([&] { (void)(a + b); });
    expectRuntimeErrorsOnly([&] { (void)(a - b); });
    expectRuntimeErrorsOnly([&] { (void)(a * b); });
    expectRuntimeErrorsOnly([&] {
        const Variant quotient = a / b;
        if (quotient.type() != Type::Single && quotient.type() != Type::Double)
            std::abort();
    });
    expectRuntimeErrorsOnly([&] { sumOfWholeNumbers(a, b); });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLocale::setDefault(QLocale::c());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const Variant a = makeVariant(input);
    const Variant b = makeVariant(input);
    conversions(a);
    conversions(b);
    comparisons(a, b);
    arithmetic(a, b);
    return 0;
}
