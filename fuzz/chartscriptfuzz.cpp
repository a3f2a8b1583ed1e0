// A chart script of any contents, run through the control's dispatch interface on the recording
// surface: every call ends, and every failure comes back as a runtime error in the log.
#include "chartscript.h"
#include "recordingsurface.h"

#include <QGuiApplication>
#include <QLocale>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QString error;
    const auto script
        = plotvane_render::ChartScript::parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), error);
    if (!script)
        return 0;
    // Fixed text metrics keep the run independent of the fonts installed.
    QStringList log;
    plotvane::RecordingSurface surface(script->innerSize(), &log, 90, 195);
    script->run(surface, &log);
    return 0;
}
