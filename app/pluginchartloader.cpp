#include "pluginchartloader.h"

#include "chart/plotvanefactory.h"
#include "chart/plotvaneidentity.h"

#include "platform/runtimeerror.h"

#include <QFileInfo>
#include <QJsonObject>

namespace quizmark {

PluginChartLoader::PluginChartLoader(QString libraryPath)
    : m_path(std::move(libraryPath))
{
}

plotvane::PlotvaneFactory* PluginChartLoader::factory(QString& problem)
{
    if (m_factory)
        return m_factory;
    if (!QFileInfo::exists(m_path)) {
        problem = QStringLiteral("The file was not found.");
        return nullptr;
    }
    m_loader.setFileName(m_path);
    // The plugin's metadata is read without running any of its code: a file of another class is
    // turned down before it is loaded.
    const QJsonObject meta = m_loader.metaData().value(QStringLiteral("MetaData")).toObject();
    if (meta.value(QStringLiteral("ProgID")).toString() != QLatin1String(plotvane::Identity::ProgId)
        || meta.value(QStringLiteral("CLSID")).toString() != QLatin1String(plotvane::Identity::ClassId)) {
        problem = m_loader.metaData().isEmpty() ? m_loader.errorString()
                                                 : QStringLiteral("The file is not the chart control library.");
        return nullptr;
    }
    m_factory = qobject_cast<plotvane::PlotvaneFactory*>(m_loader.instance());
    if (!m_factory)
        problem = m_loader.errorString();
    return m_factory;
}

std::unique_ptr<plotvane::PlotvaneControl> PluginChartLoader::create(
    QWidget* parent, const plotvane::PropertyBag& saved, platform::MessageBoxes& messages, QString& problem)
{
    plotvane::PlotvaneFactory* charts = factory(problem);
    if (!charts)
        return nullptr;
    try {
        return charts->create(parent, &saved, messages, nullptr);
    } catch (const platform::RuntimeError& error) {
        problem = error.message();
        return nullptr;
    }
}

}
