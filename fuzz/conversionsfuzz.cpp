// Val on any text, and the number-to-text conversions on any number: Val gives a finite number or
// the runtime's overflow error, and a number written as text reads back as (nearly) itself.
#include "platform/conversions.h"
#include "platform/runtimeerror.h"

#include <QLocale>

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <limits>

using namespace platform;

namespace {

void valOfText(const QString& text)
{
    try {
        if (!std::isfinite(Val(text)))
            std::abort();
    } catch (const RuntimeError& e) {
        if (e.number() != ErrorNumber::Overflow)
            std::abort();
    }
}

// Text of x read back by Val: within the precision of the digits written.
void roundTrip(double x, const QString& text, double relative, double largest)
{
    if (text.isEmpty())
        std::abort();
    double back = 0;
    try {
        back = Val(text);
    } catch (const RuntimeError& e) {
        // Only the largest numbers round up past the type's range when written shorter.
        if (e.number() != ErrorNumber::Overflow || std::fabs(x) < largest)
            std::abort();
        return;
    }
    if (std::fabs(back - x) > relative * std::fabs(x) + std::numeric_limits<double>::denorm_min() * 4)
        std::abort();
}

void integerConversions(double x)
{
    for (auto convert : { +[](double v) { return double(CInt(v)); }, +[](double v) { return double(CLng(v)); } }) {
        try {
            const double whole = convert(x);
            if (!(std::fabs(whole - x) <= 0.5) || whole != std::nearbyint(x))
                std::abort();
        } catch (const RuntimeError& e) {
            if (e.number() != ErrorNumber::Overflow)
                std::abort();
        }
    }
}

} // namespace

// The decimal separator is the locale's; Val reads a point only.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLocale::setDefault(QLocale::c());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const double x = input.ConsumeFloatingPoint<double>();
    const float f = input.ConsumeFloatingPoint<float>();
    const std::int32_t n = input.ConsumeIntegral<std::int32_t>();
    const std::string rest = input.ConsumeRemainingBytesAsString();

    valOfText(QString::fromUtf8(rest));
    valOfText(QString::fromLatin1(rest));
    integerConversions(x);
    if (std::isfinite(x))
        roundTrip(x, doubleText(x), 1e-14, 1.79769313486231e308);
    if (std::isfinite(f))
        roundTrip(double(f), singleText(f), 1e-6, 3.402823e38);
    if (Val(integerText(n)) != n)
        std::abort();
    return 0;
}
