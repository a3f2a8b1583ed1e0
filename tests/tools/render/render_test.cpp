#include "chartrenderer.h"
#include "chartscript.h"
#include "rendercommandline.h"

#include "recordingsurface.h"

#include "support/specialfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

using namespace plotvane_render;

using testing_support::fullDevice;

namespace {

QStringList runScript(const char* json)
{
    QString error;
    const auto script = ChartScript::parse(QByteArray(json), error);
    EXPECT_TRUE(script.has_value()) << error.toStdString();
    if (!script)
        return {};
    QStringList log;
    plotvane::RecordingSurface surface(script->innerSize(), &log, 100, 195);
    script->run(surface, &log);
    return log;
}

} // namespace

TEST(ChartScript, GetsErrorsAndMessagesAreLoggedInOrder)
{
    const QStringList log = runScript(R"({"width": 7200, "height": 4800, "calls": [
        {"put": "title", "value": "T"},
        {"get": "Title"},
        {"get": null, "dispid": 1745027081},
        {"get": "VerticalTickInterval"},
        {"put": "PlotPoints", "value": {"i4": 1}},
        {"get": "PlotPoints"},
        {"call": "SetSeriesOptions", "args": [{"i2": 16}, {"i4": 255}, "L"]},
        {"call": "RegisterData", "args": [{"table": [[null, null], [1, {"r4": 2.5}]]}]},
        {"call": "RegisterData", "args": [{"table": [[null], [3]]}]},
        {"call": "Refresh"},
        {"get": "Chart"},
        {"put": "LowScale", "value": {"r4": 0.1}},
        {"get": "LowScale"}
    ]})");
    const QStringList expected = {
        QStringLiteral("font MS Sans Serif 8.25"),
        QStringLiteral("get Title = str \"T\""),
        QStringLiteral("get HighScale = r8 0"),
        QStringLiteral("get VerticalTickInterval = i2 1"),
        QStringLiteral("get PlotPoints = bool True"),
        QStringLiteral("message \"Too many data series -- limit is 15\""),
        QStringLiteral("cls 0x8000000F"),
        QStringLiteral("error 32007 PlotvaneProject.Plotvane \"Error 11 plotting graph: Division by zero\""),
        QStringLiteral("error 438 plotvane-render \"Object doesn't support this property or method\""),
        // The Single 0.1 widened to a Double keeps its binary value.
        QStringLiteral("get LowScale = r8 0.10000000149011612"),
    };
    QStringList withoutDrawing = log;
    // The title of the failing Refresh and its value-axis lines come between cls and the error.
    withoutDrawing.erase(
        std::remove_if(withoutDrawing.begin(), withoutDrawing.end(),
                       [](const QString& line) {
                           return line.startsWith(u"print") || line.startsWith(u"line") || line.startsWith(u"box")
                               || (line.startsWith(u"font") && line != QStringLiteral("font MS Sans Serif 8.25"));
                       }),
        withoutDrawing.end());
    EXPECT_EQ(withoutDrawing, expected);
}

TEST(ChartScript, SavedPropertiesLoadTheInstance)
{
    const QStringList log = runScript(R"({"properties": {"title": "Saved", "BorderStyle": {"i2": 1},
        "Font": {"font": "Serif", "size": 12}}, "calls": [{"get": "Title"}, {"get": "Font"}]})");
    EXPECT_EQ(log,
              QStringList({ QStringLiteral("font Serif 12"), QStringLiteral("get Title = str \"Saved\""),
                            QStringLiteral("get Font = font Serif 12") }));
}

TEST(ChartScript, MalformedScriptsAreRefused)
{
    QString error;
    EXPECT_FALSE(ChartScript::parse("[1, 2]", error).has_value());
    EXPECT_FALSE(ChartScript::parse("{\"width\": -5}", error).has_value());
    EXPECT_FALSE(ChartScript::parse("{\"calls\": ", error).has_value());
    EXPECT_FALSE(error.isEmpty());
    const QStringList log = runScript(R"({"calls": [{"put": "Title", "value": {"i2": 70000}}, {"jump": 1}]})");
    EXPECT_EQ(log.mid(1),
              QStringList({ QStringLiteral("error 13 plotvane-render \"Type mismatch\""),
                            QStringLiteral("error 5 plotvane-render \"Invalid procedure call or argument\"") }));
}

// A script table is as large as its row count times its longest row. One beyond the chart's cell
// limit is refused as the chart refuses it, before any of it is made: a small ragged script
// must not become an array of hundreds of millions of cells. (The chart refuses the table at the
// limit too, for its series count; but that table is made and handed over.)
TEST(ChartScript, TablesBeyondTheCellLimitAreRefusedBeforeTheyAreMade)
{
    struct Case
    {
        int rows;
        int longestRow;
        bool refused;
    };
    const QString refusal = QStringLiteral("error 7 plotvane-render \"Out of memory\"");
    for (const Case c : { Case{ 2048, 2048, false }, Case{ 2049, 2049, true }, Case{ 10000, 30000, true } }) {
        QByteArray table = "[";
        for (int i = 0; i < c.rows - 1; ++i)
            table += "[],";
        table += "[" + QByteArray("0,").repeated(c.longestRow - 1) + "0]]";
        const QByteArray script = R"({"calls": [{"call": "RegisterData", "args": [{"table": )" + table + "}]}]}";
        const QStringList log = runScript(script.constData());
        const QStringList errors = log.filter(QStringLiteral("error"));
        EXPECT_EQ(errors.contains(refusal), c.refused) << c.rows << " x " << c.longestRow;
        EXPECT_EQ(errors.size(), 1) << c.rows << " x " << c.longestRow;
    }
}

TEST(RenderCommandLine, OptionsAreRead)
{
    QString error;
    const auto line = RenderCommandLine::parse(
        { "plotvane-render", "s.json", "--png", "o.png", "--metrics", "fixed:90,195" }, error);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->png, QStringLiteral("o.png"));
    EXPECT_TRUE(line->log.isEmpty());
    EXPECT_EQ(*line->fixedMetrics, QSizeF(90, 195));
    EXPECT_FALSE(RenderCommandLine::parse({ "plotvane-render", "s.json", "--metrics", "90,195" }, error));
    EXPECT_FALSE(RenderCommandLine::parse({ "plotvane-render" }, error));
    EXPECT_EQ(RenderCommandLine::parse({ "plotvane-render", "s.json" }, error)->log, QStringLiteral("-"));
}

TEST(ChartRenderer, HistoryChartBecomesAPng)
{
    int argc = 1;
    char name[] = "render_test";
    char* argv[] = { name, nullptr };
    QGuiApplication application(argc, argv);
    QTemporaryDir dir;
    RenderCommandLine line;
    line.script = QStringLiteral(QUIZMARK_RENDER_SAMPLES "/history.json");
    line.png = dir.filePath(QStringLiteral("history.png"));
    line.log = dir.filePath(QStringLiteral("history.txt"));
    QString errors;
    ASSERT_EQ(renderChart(line, errors), 0) << errors.toStdString();
    const QImage image(line.png);
    ASSERT_EQ(image.size(), QSize(480, 320));
    // White behind the chart, blue and red lines on it.
    EXPECT_EQ(image.pixelColor(5, 310), QColor(Qt::white));
    int blue = 0;
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            blue += image.pixelColor(x, y) == QColor(Qt::blue);
            red += image.pixelColor(x, y) == QColor(Qt::red);
        }
    EXPECT_GT(blue, 300);
    EXPECT_GT(red, 300);
    QFile log(line.log);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("print"));
}

// Renders in a process whose address space is capped at 1 GB, telling the outcome on standard error.
[[noreturn]] void renderUnderCap(const RenderCommandLine& line)
{
    rlimit cap{};
    cap.rlim_cur = cap.rlim_max = rlim_t(1) << 30;
    setrlimit(RLIMIT_AS, &cap);
    QString errors;
    const int status = renderChart(line, errors);
    std::fprintf(stderr, "%d %s\n", status, qPrintable(errors));
    std::exit(status);
}

// A picture larger than any screen is refused before its pixels are allocated: the refusal runs
// under a cap of 1 GB of address space, far below the 4 GB the pixels would take.
TEST(ChartRenderer, APictureTooLargeIsRefusedBeforeItIsMade)
{
#ifdef QUIZMARK_SANITIZED
    GTEST_SKIP() << "the sanitizer reserves more address space than any cap";
#endif
    QTemporaryDir dir;
    QFile script(dir.filePath(QStringLiteral("huge.json")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(R"({"width": 5e5, "height": 5e5, "calls": []})");
    script.close();
    RenderCommandLine line;
    line.script = script.fileName();
    line.png = dir.filePath(QStringLiteral("huge.png"));
    EXPECT_EXIT(renderUnderCap(line), testing::ExitedWithCode(2),
                "the picture would be 33333 x 33333 pixels; a picture is at most 16384 pixels on a side and 67108864 "
                "pixels \\(64 M\\) in all");
    EXPECT_FALSE(QFile::exists(line.png));

    // The largest picture allowed on one side still passes the check.
    script.open(QIODevice::WriteOnly | QIODevice::Truncate);
    script.write(R"({"width": 245760, "height": 15, "calls": []})");
    script.close();
    line.png.clear();
    line.log = dir.filePath(QStringLiteral("log.txt"));
    line.fixedMetrics = QSizeF(100, 195);
    QString errors;
    EXPECT_EQ(renderChart(line, errors), 0) << errors.toStdString();
}

TEST(ChartRenderer, AFullDiskIsAFailure)
{
    QTemporaryDir dir;
    RenderCommandLine line;
    line.script = QStringLiteral(QUIZMARK_RENDER_SAMPLES "/history.json");
    line.log = fullDevice(dir.path());
    line.fixedMetrics = QSizeF(100, 195);
    QString errors;
    EXPECT_EQ(renderChart(line, errors), 1);
    EXPECT_EQ(errors, QStringLiteral("cannot write %1: No space left on device").arg(line.log));
}
