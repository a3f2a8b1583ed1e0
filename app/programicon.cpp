#include "programicon.h"

namespace quizmark {

namespace {
// The sizes frames and task bars draw; the desktop takes larger ones from the installed icon theme.
// Each file is decoded as it is added, so the large ones would only slow the start.
constexpr int FrameIconSizes[] = { 16, 32, 48 };
} // namespace

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : FrameIconSizes)
            sizes.addFile(QStringLiteral(":/icons/%1/org.quizmark.Quizmark.png").arg(size), QSize(size, size));
        return sizes;
    }();
    return icon;
}

} // namespace quizmark
