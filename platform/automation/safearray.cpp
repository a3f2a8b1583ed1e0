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

std::size_t SafeArray::slot(int i, int j) const
{
    if (i < m_lower1 || i > m_upper1 || j < m_lower2 || j > m_upper2)
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    return std::size_t(i - m_lower1) * std::size_t(m_upper2 - m_lower2 + 1) + std::size_t(j - m_lower2);
}

Variant& SafeArray::operator()(int i, int j)
{
    return m_items[slot(i, j)];
}

const Variant& SafeArray::operator()(int i, int j) const
{
    return m_items[slot(i, j)];
}

std::shared_ptr<SafeArray> SafeArray::clone() const
{
    return std::make_shared<SafeArray>(*this);
}

}
