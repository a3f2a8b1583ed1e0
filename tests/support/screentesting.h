#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QString>

namespace testing_support {

// Text as a fixed-width record field holds it: cut or padded with blanks to the width.
inline QString padded(const QString& text, int width)
{
    return text.leftJustified(width, u' ', true);
}

// Deletes the screens that were unloaded, as the event loop would next time round.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}
