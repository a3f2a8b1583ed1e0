#include "chartonimage.h"

namespace quizmark_bench {

ChartOnImage::ChartOnImage(QSize pixels, double ratio, const plotvane::PropertyBag* saved)
    : m_surface(pixels, 15, ratio)
    , m_control(m_surface, m_messages, nullptr)
    , m_dispatch(m_control)
{
    if (saved)
        m_control.ReadProperties(*saved);
    else
        m_control.InitNew();
}

} // namespace quizmark_bench
