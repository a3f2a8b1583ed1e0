#include "fontobject.h"

#include "platform/runtimeerror.h"

namespace platform {

FontObject::FontObject(QString name, double size, bool bold, bool italic)
    : Name(std::move(name))
    , Size(size)
    , Bold(bold)
    , Italic(italic)
{
}

QFont FontObject::toQFont() const
{
    QFont font(Name);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(Size > 0 ? Size : 8.25);
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    font.setStrikeOut(Strikethrough);
    return font;
}

std::shared_ptr<FontObject> FontObject::from(const Variant& value)
{
    const std::shared_ptr<AutomationObject> object = value.toObject();
    if (!object)
        return nullptr;
    auto font = std::dynamic_pointer_cast<FontObject>(object);
    if (!font)
        throw RuntimeError(ErrorNumber::TypeMismatch);
    return font;
}

} // namespace platform
