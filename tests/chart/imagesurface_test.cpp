#include "imagesurface.h"
#include "plotvane.h"
#include "plotvanedispatch.h"
#include "plotvaneidentity.h"

#include "support/fakeservices.h"

#include "platform/automation/safearray.h"

#include <QTest>

#include <cmath>

using namespace plotvane;
using platform::InvokeKind;
using platform::Variant;

namespace {

// Draws a line chart with points, title and legend on a surface.
void drawChart(ImageSurface& surface, int seriesCount, int points)
{
    testing_support::ScriptedMessageBoxes messages;
    Plotvane control(surface, messages, nullptr);
    control.InitNew();
    PlotvaneDispatch dispatch(control);
    auto data = std::make_shared<platform::SafeArray>(0, seriesCount, 0, points - 1);
    for (int i = 1; i <= seriesCount; ++i)
        for (int j = 0; j < points; ++j)
            (*data)(i, j) = 50 + 40 * std::sin(j * 0.01 * i + i) + (j * 7919 % 13);
    const auto put
        = [&](int dispid, Variant value) { platform::invoke(dispatch, dispid, InvokeKind::PropertyPut, { value }); };
    put(DispChartType, ChartTypes::Line);
    put(DispPlotPoints, true);
    put(DispDisplayLegend, true);
    put(DispTitle, QStringLiteral("Scores"));
    put(DispVerticalTickInterval, std::int16_t(10));
    put(DispBackColor, std::int32_t(0xFFFFFF));
    for (int s = 0; s < seriesCount; ++s)
        platform::invoke(dispatch, DispSetSeriesOptions, InvokeKind::Method,
                         { std::int16_t(s), Variant(), QStringLiteral("Series %1").arg(s) });
    platform::invoke(dispatch, DispRegisterData, InvokeKind::Method, { data });
    platform::invoke(dispatch, DispRefresh, InvokeKind::Method);
}

QImage render(QSize size, double ratio, bool fast, int seriesCount, int points)
{
    ImageSurface surface(size, 15, ratio);
    surface.setFastPath(fast);
    drawChart(surface, seriesCount, points);
    return surface.image();
}

qsizetype differingPixels(const QImage& a, const QImage& b)
{
    qsizetype count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

} // namespace

class ImageSurfaceTest : public QObject
{
    Q_OBJECT
private slots:
    void fastPathMatchesOneCallPerPrimitive_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::newRow("ratio 1") << 1.0;
        QTest::newRow("ratio 2") << 2.0;
    }
    void fastPathMatchesOneCallPerPrimitive()
    {
        QFETCH(double, ratio);
        const QImage fast = render(QSize(480, 320), ratio, true, 3, 60);
        const QImage reference = render(QSize(480, 320), ratio, false, 3, 60);
        QCOMPARE(fast.size(), QSize(480, 320) * ratio);
        QCOMPARE(differingPixels(fast, reference), qsizetype(0));
        // Series 0 in black and 1 in dark blue are there, on white.
        QVERIFY(fast.pixelColor(1, 1) == QColor(Qt::white));
        int seriesPixels = 0;
        for (int y = 0; y < fast.height(); ++y)
            for (int x = 0; x < fast.width(); ++x)
                seriesPixels += fast.pixelColor(x, y) == QColor(0, 0, 0x80);
        QVERIFY(seriesPixels > 100);
    }

    void largeChartDiffersInAtMostOnePercent()
    {
        const QImage fast = render(QSize(1000, 700), 1, true, 16, 32766);
        const QImage reference = render(QSize(1000, 700), 1, false, 16, 32766);
        const qsizetype differing = differingPixels(fast, reference);
        QVERIFY2(differing <= qsizetype(fast.width()) * fast.height() / 100, qPrintable(QString::number(differing)));
        qInfo("%lld of %lld pixels differ", qlonglong(differing), qlonglong(fast.width()) * fast.height());
    }

    void twipsFollowTheResolution()
    {
        ImageSurface surface(QSize(100, 50), 15, 2);
        QCOMPARE(surface.ScaleWidth(), 1500.f);
        QCOMPARE(surface.ScaleHeight(), 750.f);
        surface.setBackColor(0xFFFFFF);
        surface.Cls();
        surface.fillBox(150, 150, 300, 300, 0x0000FF);
        surface.line(0, 600, 1500, 600, 0xFF0000);
        const QImage image = surface.image();
        QCOMPARE(image.devicePixelRatio(), 2.0);
        // 150 twips are 10 logical and 20 device pixels; both corners belong to the box.
        QCOMPARE(image.pixelColor(20, 20), QColor(Qt::red));
        QCOMPARE(image.pixelColor(40, 40), QColor(Qt::red));
        QCOMPARE(image.pixelColor(41, 41), QColor(Qt::white));
        QCOMPARE(image.pixelColor(100, 80), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(100, 81), QColor(Qt::white));
    }

    void primitivesFarOutsideAreClipped()
    {
        ImageSurface surface(QSize(20, 20));
        surface.setBackColor(0xFFFFFF);
        surface.Cls();
        surface.fillBox(-1e30f, 150, 1e30f, 150, 0xFF);
        surface.line(75, -1e30f, 75, 1e30f, 0xFF0000);
        surface.line(-1e30f, -1e30f, 1e30f, 1e30f, 0xFF00);
        const QImage image = surface.image();
        QCOMPARE(image.pixelColor(0, 10), QColor(Qt::red));
        QCOMPARE(image.pixelColor(19, 10), QColor(Qt::red));
        QCOMPARE(image.pixelColor(5, 0), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(5, 19), QColor(Qt::blue));
    }

    void systemColoursComeFromThePalette()
    {
        ImageSurface surface(QSize(10, 10));
        surface.Cls();
        QCOMPARE(surface.image().pixelColor(5, 5), QGuiApplication::palette().color(QPalette::Button));
    }
};

QTEST_MAIN(ImageSurfaceTest)
#include "imagesurface_test.moc"
