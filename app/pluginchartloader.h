#pragma once

#include "chartloader.h"

#include <QPluginLoader>

namespace plotvane {
class PlotvaneFactory;
}

namespace quizmark {

// Loads the chart library as a plugin on first use and keeps it loaded: controls made from it
// may outlive any one screen.
class PluginChartLoader : public ChartLoader {
public:
    explicit PluginChartLoader(QString libraryPath);

    std::unique_ptr<plotvane::PlotvaneControl> create(
        QWidget* parent, const plotvane::PropertyBag& saved, platform::MessageBoxes& messages, QString& problem) override;
    QString libraryPath() const override { return m_loader.fileName().isEmpty() ? m_path : m_loader.fileName(); }

private:
    plotvane::PlotvaneFactory* factory(QString& problem);

    QString m_path;
    QPluginLoader m_loader;
    plotvane::PlotvaneFactory* m_factory = nullptr;
};

}
