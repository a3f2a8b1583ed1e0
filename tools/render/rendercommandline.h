#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

namespace plotvane_render {

// plotvane-render SCRIPT.json [--png OUT.png] [--log OUT.txt|-] [--metrics fixed:W,H]
struct RenderCommandLine
{
    QString script;
    QString png;
    QString log; // "-" for standard output
    std::optional<QSizeF> fixedMetrics;

    // Null with a message in error for arguments that do not fit.
    static std::optional<RenderCommandLine> parse(const QStringList& arguments, QString& error);
};

} // namespace plotvane_render
