#include "chartrenderer.h"
#include "rendercommandline.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // A batch renderer: it needs fonts, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QString errors;
    const auto commandLine = plotvane_render::RenderCommandLine::parse(application.arguments(), errors);
    const int status = commandLine ? plotvane_render::renderChart(*commandLine, errors) : 2;
    if (!errors.isEmpty())
        std::fprintf(stderr, "plotvane-render: %s\n", qPrintable(errors));
    return status;
}
