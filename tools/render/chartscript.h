#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QSizeF>
#include <QStringList>

#include <optional>

namespace plotvane {
class DrawingSurface;
class PropertyBag;
} // namespace plotvane

namespace plotvane_render {

// One chart script: the surface's inner size in twips, the saved properties the instance is
// loaded from (a new, initialised instance without them) and the calls made on it in order.
class ChartScript
{
public:
    // Null with a message in error when the text is not a script.
    static std::optional<ChartScript> parse(const QByteArray& json, QString& error);

    QSizeF innerSize() const { return m_size; }
    // Runs the calls on a fresh instance that draws on surface. Gets, errors and message boxes
    // are appended to log (when given) between the surface's own lines.
    void run(plotvane::DrawingSurface& surface, QStringList* log) const;

private:
    void runCall(class CallContext& context, const QJsonObject& call) const;
    QSizeF m_size;
    std::optional<QJsonObject> m_properties;
    QJsonArray m_calls;
};

} // namespace plotvane_render
