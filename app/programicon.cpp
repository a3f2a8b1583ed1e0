#include "programicon.h"

namespace quizmark {

namespace {
constexpr int IconSizes[] = { 16, 32, 48, 64, 128, 256 };
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : IconSizes)
        icon.addFile(QStringLiteral(":/icons/%1/org.quizmark.Quizmark.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace quizmark
