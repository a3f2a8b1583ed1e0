#include "imagesurface.h"
#include "surfacewidget.h"

#include <QTest>

using namespace plotvane;

namespace {

// Renders the widget over a colour the chart never uses, at a device pixel ratio of its own.
QImage renderOverMagenta(SurfaceWidget& widget, double ratio)
{
    QImage target(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::magenta);
    target.setDevicePixelRatio(ratio);
    widget.render(&target);
    return target;
}

} // namespace

class SurfaceWidgetTest : public QObject
{
    Q_OBJECT
private slots:
    void borderAndDrawingCoverEveryPixel_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::newRow("ratio 1") << 1.0;
        QTest::newRow("ratio 2") << 2.0;
    }
    void borderAndDrawingCoverEveryPixel()
    {
        QFETCH(double, ratio);
        auto surface = std::make_shared<ImageSurface>(QSize(60, 40));
        surface->setBorderStyle(1);
        surface->setBackColor(0xFFFFFF);
        SurfaceWidget widget(surface);
        widget.resize(62, 42);
        surface->Cls();
        const QImage shown = renderOverMagenta(widget, ratio);
        // The widget paints opaquely: nothing of what lay below may show through.
        int uncovered = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                uncovered += shown.pixelColor(x, y) == QColor(Qt::magenta);
        QCOMPARE(uncovered, 0);
        const QColor frame = widget.palette().color(QPalette::WindowText);
        const int last = int(62 * ratio) - 1;
        QCOMPARE(shown.pixelColor(0, 0), frame);
        QCOMPARE(shown.pixelColor(int(ratio) - 1, int(ratio) - 1), frame);
        QCOMPARE(shown.pixelColor(last, 10), frame);
        QCOMPARE(shown.pixelColor(last - int(ratio) + 1, 10), frame);
        QCOMPARE(shown.pixelColor(int(ratio), int(ratio)), QColor(Qt::white));
    }
};

QTEST_MAIN(SurfaceWidgetTest)
#include "surfacewidget_test.moc"
