#pragma once

#include "platform/runtimeerror.h"

#include <array>
#include <cstddef>

namespace quizmark {

// An array with fixed bounds Lower to Upper, indexed like the runtime's arrays: an index outside
// the bounds is error 9 "Subscript out of range".
template <typename T, int Lower, int Upper> class FixedArray
{
public:
    static constexpr int LBound = Lower;
    static constexpr int UBound = Upper;

    T& operator()(int i) { return m_items[slot(i)]; }
    const T& operator()(int i) const { return m_items[slot(i)]; }

private:
    static std::size_t slot(int i)
    {
        if (i < Lower || i > Upper)
            throw platform::RuntimeError(platform::ErrorNumber::SubscriptOutOfRange);
        return std::size_t(i - Lower);
    }
    std::array<T, std::size_t(Upper - Lower + 1)> m_items{};
};

// The two-dimensional form, (Lower1 To Upper1, Lower2 To Upper2).
template <typename T, int Lower1, int Upper1, int Lower2, int Upper2> class FixedArray2D
{
public:
    T& operator()(int i, int j) { return m_rows(i)(j); }
    const T& operator()(int i, int j) const { return m_rows(i)(j); }

private:
    FixedArray<FixedArray<T, Lower2, Upper2>, Lower1, Upper1> m_rows;
};

} // namespace quizmark
