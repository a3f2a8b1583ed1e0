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
    Variant& operator()(int i, int j);
    const Variant& operator()(int i, int j) const;
    // A deep copy: the receiver of a data table keeps its own.
    std::shared_ptr<SafeArray> clone() const;

private:
    std::size_t slot(int i, int j) const;
    int m_lower1, m_upper1, m_lower2, m_upper2;
    std::vector<Variant> m_items;
};

}
