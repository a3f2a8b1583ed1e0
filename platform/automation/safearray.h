#pragma once

#include "variant.h"

#include <vector>

namespace platform {

// A two-dimensional array of Variants with the bounds it was made with; an index outside them is
// error 9 "Subscript out of range".
class SafeArray {
public:
    SafeArray(int lower1, int upper1, int lower2, int upper2);

    int lowerBound(int dimension) const;
    int upperBound(int dimension) const;
    // Inline: drawing a chart reads every cell of its table.
    Variant& operator()(int i, int j) { return m_items[slot(i, j)]; }
    const Variant& operator()(int i, int j) const { return m_items[slot(i, j)]; }
    // A deep copy: the receiver of a data table keeps its own.
    std::shared_ptr<SafeArray> clone() const;

private:
    std::size_t slot(int i, int j) const
    {
        if (i < m_lower1 || i > m_upper1 || j < m_lower2 || j > m_upper2)
            outOfRange();
        return std::size_t(i - m_lower1) * std::size_t(m_upper2 - m_lower2 + 1) + std::size_t(j - m_lower2);
    }
    [[noreturn]] static void outOfRange();
    int m_lower1, m_upper1, m_lower2, m_upper2;
    std::vector<Variant> m_items;
};

}
