#pragma once

#include "platform/automation/variant.h"

#include <QJsonValue>
#include <QString>

namespace plotvane_render {

// A script's JSON value as a Variant: null Empty, text String, true/false Boolean, a bare number
// a Double, {"i2"|"i4"|"r4"|"r8": n} typed numbers, {"table": [[row 0], ...]} a table with lower
// bounds 0, {"font": name, "size": s, "bold": b} a font object. Anything else is error 13.
platform::Variant variantFromJson(const QJsonValue& value);

// "TYPE VALUE" as a get is logged: empty, i2, i4, r4, r8, str, bool, font.
QString describeVariant(const platform::Variant& value);

} // namespace plotvane_render
