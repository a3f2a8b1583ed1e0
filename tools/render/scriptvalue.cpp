#include "scriptvalue.h"

#include "chartstate.h"
#include "recordingsurface.h"

#include "platform/automation/fontobject.h"
#include "platform/automation/safearray.h"
#include "platform/runtimeerror.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace plotvane_render {

using platform::Variant;

namespace {

[[noreturn]] void typeMismatch()
{
    throw platform::RuntimeError(platform::ErrorNumber::TypeMismatch);
}

double wholeNumber(const QJsonValue& value, double low, double high)
{
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || number != std::floor(number) || number < low || number > high)
        typeMismatch();
    return number;
}

Variant tableFromJson(const QJsonArray& rows)
{
    int points = 0;
    for (const QJsonValue& row : rows) {
        if (!row.isArray())
            typeMismatch();
        points = std::max(points, int(row.toArray().size()));
    }
    if (rows.isEmpty() || points == 0)
        typeMismatch();
    // Refused as the chart would refuse it, before the cells are made.
    if (std::int64_t(rows.size()) * points > plotvane::ChartState::CellLimit)
        throw platform::RuntimeError(platform::ErrorNumber::OutOfMemory);
    auto table = std::make_shared<platform::SafeArray>(0, int(rows.size()) - 1, 0, points - 1);
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonArray row = rows.at(i).toArray();
        for (int j = 0; j < row.size(); ++j)
            (*table)(i, j) = variantFromJson(row.at(j));
    }
    return Variant(table);
}

Variant fontFromJson(const QJsonObject& object)
{
    auto font = std::make_shared<platform::FontObject>(
        object.value(QStringLiteral("font")).toString(), object.value(QStringLiteral("size")).toDouble(8.25),
        object.value(QStringLiteral("bold")).toBool(), object.value(QStringLiteral("italic")).toBool());
    return Variant(std::shared_ptr<platform::AutomationObject>(font));
}

} // namespace

Variant variantFromJson(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return Variant();
    case QJsonValue::Bool:
        return Variant(value.toBool());
    case QJsonValue::Double:
        return Variant(value.toDouble());
    case QJsonValue::String:
        return Variant(value.toString());
    case QJsonValue::Object:
        break;
    default:
        typeMismatch();
    }
    const QJsonObject object = value.toObject();
    if (object.contains(QStringLiteral("i2")))
        return Variant(std::int16_t(wholeNumber(object.value(QStringLiteral("i2")), -32768, 32767)));
    if (object.contains(QStringLiteral("i4")))
        return Variant(std::int32_t(wholeNumber(object.value(QStringLiteral("i4")), -2147483648.0, 2147483647.0)));
    if (object.contains(QStringLiteral("r4")))
        return Variant(float(object.value(QStringLiteral("r4")).toDouble()));
    if (object.contains(QStringLiteral("r8")))
        return Variant(object.value(QStringLiteral("r8")).toDouble());
    if (object.contains(QStringLiteral("table")))
        return tableFromJson(object.value(QStringLiteral("table")).toArray());
    if (object.contains(QStringLiteral("font")))
        return fontFromJson(object);
    typeMismatch();
}

QString describeVariant(const Variant& value)
{
    using Type = Variant::Type;
    using plotvane::RecordingSurface;
    switch (value.type()) {
    case Type::Empty:
        return QStringLiteral("empty");
    case Type::Integer:
        return QStringLiteral("i2 ") + QString::number(value.toLong());
    case Type::Long:
        return QStringLiteral("i4 ") + QString::number(value.toLong());
    case Type::Single:
        return QStringLiteral("r4 ") + RecordingSurface::number(value.toSingle());
    case Type::Double:
        return QStringLiteral("r8 ") + RecordingSurface::number(value.toDouble());
    case Type::String:
        return QStringLiteral("str \"%1\"").arg(value.toString());
    case Type::Boolean:
        return QStringLiteral("bool ") + value.toString();
    case Type::Object:
        if (auto font = std::dynamic_pointer_cast<platform::FontObject>(value.toObject()))
            return QStringLiteral("font %1 %2").arg(font->Name, RecordingSurface::number(font->Size));
        return QStringLiteral("object");
    default:
        return QStringLiteral("array");
    }
}

} // namespace plotvane_render
