#pragma once

#include "variant.h"

#include <QFont>
#include <QString>

namespace platform {

// The standard font object: a shared reference, so a change made through one holder is seen by all.
class FontObject : public AutomationObject
{
public:
    FontObject() = default;
    FontObject(QString name, double size, bool bold = false, bool italic = false);

    QString Name = QStringLiteral("MS Sans Serif");
    double Size = 8.25;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;

    // The font on this platform; "MS Sans Serif" and other names that are not installed fall back
    // to the desktop's sans-serif face at the same point size.
    QFont toQFont() const;
    // The font an object reference holds: null for Nothing, error 13 for any other object.
    static std::shared_ptr<FontObject> from(const Variant& value);
};

} // namespace platform
