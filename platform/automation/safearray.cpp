#include "safearray.h"

#include "platform/runtimeerror.h"

namespace platform {

SafeArray::SafeArray(int lower1, int upper1, int lower2, int upper2)
    : m_lower1(lower1)
    , m_upper1(upper1)
    , m_lower2(lower2)
    , m_upper2(upper2)
{
    if (upper1 < lower1 || upper2 < lower2)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    m_items.resize(std::size_t(upper1 - lower1 + 1) * std::size_t(upper2 - lower2 + 1));
}

int SafeArray::lowerBound(int dimension) const
{
    if (dimension != 1 && dimension != 2)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    return dimension == 1 ? m_lower1 : m_lower2;
}

int SafeArray::upperBound(int dimension) const
{
    if (dimension != 1 && dimension != 2)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    return dimension == 1 ? m_upper1 : m_upper2;
}

void SafeArray::outOfRange()
{
    throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
}

std::shared_ptr<SafeArray> SafeArray::clone() const
{
    return std::make_shared<SafeArray>(*this);
}

}
