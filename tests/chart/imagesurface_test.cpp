#include "imagesurface.h"
#include "olecolor.h"
#include "plotvane.h"
#include "plotvanedispatch.h"
#include "plotvaneidentity.h"

#include "support/fakeservices.h"

#include "platform/automation/safearray.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPalette>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

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

// Draws the same primitives on a fast and a reference surface, comparing what each shows at
// every checkpoint: the fast path may gather work, never change the outcome.
class TwinSurfaces
{
public:
    TwinSurfaces(QSize size, double ratio, double twipsPerPixel = 15)
        : m_fast(size, twipsPerPixel, ratio)
        , m_reference(size, twipsPerPixel, ratio)
    {
        m_reference.setFastPath(false);
        each([](ImageSurface& s) {
            s.setBackColor(0xFFFFFF);
            s.Cls();
        });
    }
    void fill(float x1, float y1, float x2, float y2, std::int32_t color)
    {
        each([&](ImageSurface& s) { s.fillBox(x1, y1, x2, y2, color); });
    }
    void line(float x1, float y1, float x2, float y2, std::int32_t color)
    {
        each([&](ImageSurface& s) { s.line(x1, y1, x2, y2, color); });
    }
    void clear()
    {
        each([](ImageSurface& s) { s.Cls(); });
    }
    void outline(float x1, float y1, float x2, float y2, std::int32_t color)
    {
        each([&](ImageSurface& s) { s.box(x1, y1, x2, y2, color); });
    }
    void text(const std::shared_ptr<platform::FontObject>& font, std::int32_t color, float x, float y,
              const QString& text)
    {
        each([&](ImageSurface& s) {
            s.setFont(font);
            s.setForeColor(color);
            s.setCurrentX(x);
            s.setCurrentY(y);
            s.Print(Variant(text));
        });
    }
    qsizetype differing() const { return differingPixels(m_fast.image(), m_reference.image()); }
    QImage image() const { return m_fast.image(); }
    template <typename Draw> void each(Draw draw)
    {
        draw(m_fast);
        draw(m_reference);
    }

private:
    ImageSurface m_fast;
    ImageSurface m_reference;
};

void addRatioRows()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("ratio 1") << 1.0;
    QTest::newRow("ratio 2") << 2.0;
}

// Distinct opaque colours that are neither white nor black.
std::int32_t shade(int i)
{
    return std::int32_t(0x102030 + i * 0x0A0B07);
}

// The most a grey pixel (text and axes, not the coloured series) within the area stands out from
// the background, as a contrast ratio.
double greyContrast(const QImage& image, const QRect& area, const QColor& background)
{
    double most = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() == pixel.green() && pixel.green() == pixel.blue())
                most = std::max(most, contrastRatio(pixel, background));
        }
    return most;
}

} // namespace

class ImageSurfaceTest : public QObject
{
    Q_OBJECT
private slots:
    void fastPathMatchesOneCallPerPrimitive_data() { addRatioRows(); }
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

    void overlappingColoursKeepTheirOrder_data() { addRatioRows(); }
    void overlappingColoursKeepTheirOrder()
    {
        QFETCH(double, ratio);
        // 130 pixels wide: rows end inside a word of the coverage bitmap.
        TwinSurfaces twins(QSize(130, 90), ratio);
        // More colours than can wait at once, each over the ones before.
        for (int c = 0; c < 21; ++c) {
            twins.fill(c * 45, c * 30, c * 45 + 900, c * 30 + 450, shade(c));
            twins.line(c * 60 + 15, 0, c * 60 + 15, 1335, shade(c));
            twins.line(c * 60 + 30, 1335, c * 60 + 30, 15, shade(c));
        }
        QCOMPARE(twins.differing(), qsizetype(0));
        // The last colour lies on top where it covers, the one before it beside.
        QCOMPARE(twins.image().pixelColor(QPoint(95, 65) * ratio), toQColor(shade(20)));
        QCOMPARE(twins.image().pixelColor(QPoint(59, 65) * ratio), toQColor(shade(19)));

        // Sloped lines go to the raster engine between colours that wait.
        for (int c = 0; c < 6; ++c) {
            twins.fill(0, c * 150, 1950, c * 150 + 300, shade(c + 30));
            if (c % 2 == 0)
                twins.line(0, 0, 1950, 1335 - c * 100, shade(c + 40));
            twins.line(c * 300 + 7, 0, c * 300 + 7, 1335, shade(c + 50));
        }
        QCOMPARE(twins.differing(), qsizetype(0));
    }

    // A large area is written in two parts at once; the rows where they meet, and the layers they
    // leave clear for the next picture, must come out as one call per primitive gives.
    void largeAreasMatchOneCallPerPrimitive()
    {
        TwinSurfaces twins(QSize(1000, 700), 2);
        for (int round = 0; round < 2; ++round) {
            for (int c = 0; c < 16; ++c) {
                const float x = float(c * 500 + round * 250), y = float(c * 400 + round * 1000);
                twins.fill(x, y, x + 7000, y + 4000, shade(c + round * 16));
                twins.line(x + 100, 0, x + 100, 10485, shade(c + 40));
            }
            QCOMPARE(twins.differing(), qsizetype(0));
        }
    }

    // Texts share a painter with outlines and segments, which set pens of their own, and switch fonts.
    void textsKeepTheirFontAndColourAmongOtherPrimitives_data() { addRatioRows(); }
    void textsKeepTheirFontAndColourAmongOtherPrimitives()
    {
        QFETCH(double, ratio);
        TwinSurfaces twins(QSize(200, 120), ratio);
        const auto axis = std::make_shared<platform::FontObject>(QStringLiteral("Sans"), 9);
        const auto title = std::make_shared<platform::FontObject>(QStringLiteral("Serif"), 14, true);
        twins.text(axis, 0xFF0000, 30, 30, QStringLiteral("12.5"));
        twins.line(0, 0, 2900, 1700, 0x00FF00);
        twins.text(axis, 0xFF0000, 30, 400, QStringLiteral("2600"));
        twins.outline(15, 15, 1500, 1200, 0x00FFFF);
        twins.text(title, 0x0000FF, 600, 30, QStringLiteral("Exam History"));
        twins.text(axis, 0x0000FF, 600, 600, QStringLiteral("0.75"));
        twins.line(0, 1700, 2900, 0, 0x808080);
        twins.text(axis, 0x000000, 600, 1000, QStringLiteral("-3E+20"));
        // Drawn is drawn: a font changed afterwards does not reach what was printed in it.
        axis->Size = 30;
        title->Bold = false;
        QCOMPARE(twins.differing(), qsizetype(0));
        // Each text shows in its own colour (the runtime's colours are blue-green-red).
        const QImage image = twins.image();
        int blue = 0, red = 0, black = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                blue += c == QColor(Qt::blue);
                red += c == QColor(Qt::red);
                black += c == QColor(Qt::black);
            }
        QVERIFY(blue > 0 && red > 0 && black > 0);
    }

    // Number texts are measured and drawn without shaping each where the font shapes their
    // characters plainly. Serif kerns "E-"; a font of 60 points is drawn as outlines. The places
    // fall between pixels, on halves of a 64th, just short of a power of two (64, 128 and 256
    // pixels) that the texts' glyphs pass, and just left of the image.
    void numberTextsMeasureAndDrawAsShaped_data()
    {
        QTest::addColumn<double>("twipsPerPixel");
        QTest::addColumn<double>("ratio");
        QTest::newRow("96 dpi") << 15.0 << 1.0;
        QTest::newRow("96 dpi, ratio 2") << 15.0 << 2.0;
        QTest::newRow("144 dpi, ratio 1.75") << 10.0 << 1.75;
    }
    void numberTextsMeasureAndDrawAsShaped()
    {
        QFETCH(double, twipsPerPixel);
        QFETCH(double, ratio);
        const QStringList labels{ QStringLiteral("-2E-05"), QStringLiteral("1E-300"), QStringLiteral(" 12.5 "),
                                  QStringLiteral("1,75"),   QStringLiteral("+3E+20"), QStringLiteral("2600"),
                                  QStringLiteral("-0.125"), QStringLiteral("7 7"),    QStringLiteral("E-E-E-") };
        const std::array<float, 10> places{ 1919.f,      15.f * 3 / 128, 1920.f - 15.f / 128,
                                            7.5f,        -100.f,         3000.f + 15.f / 64,
                                            365.625f,    731.25f,        1460.f,
                                            -0.29296875f };
        const auto font = [](const char* name, double size, bool bold = false, bool italic = false) {
            return std::make_shared<platform::FontObject>(QString::fromLatin1(name), size, bold, italic);
        };
        auto underlined = font("Sans", 9);
        underlined->Underline = true;
        const std::vector<std::shared_ptr<platform::FontObject>> fonts{
            font("Sans", 9),        font("Serif", 9), font("Serif", 11, true, true),
            font("Sans", 14, true), underlined,       font("Sans", 60)
        };
        QImage measuring(1, 1, QImage::Format_ARGB32_Premultiplied); // at the surface's own resolution
        const int dotsPerMetre = int(std::lround(1440 / twipsPerPixel / 0.0254));
        measuring.setDotsPerMeterX(dotsPerMetre);
        measuring.setDotsPerMeterY(dotsPerMetre);
        TwinSurfaces twins(QSize(400, 300), ratio, twipsPerPixel);
        float y = 0;
        for (const auto& f : fonts) {
            const QFontMetricsF metrics(f->toQFont(), &measuring);
            for (const QString& label : labels) {
                std::vector<float> widths; // fast, reference
                twins.each([&](ImageSurface& s) {
                    s.setFont(f);
                    widths.push_back(s.TextWidth(label));
                });
                QCOMPARE(widths, std::vector<float>(2, float(metrics.horizontalAdvance(label) * twipsPerPixel)));
                for (float x : places) {
                    twins.text(f, 0x000000, x, y, label);
                    y = std::fmod(y + 137, float(300 * twipsPerPixel));
                }
            }
        }
        QCOMPARE(twins.differing(), qsizetype(0));
    }

    // A series is drawn in one go, sharing pixel columns and rows between series; places far apart,
    // outside the image or shared by no other series must come out as one call per primitive gives.
    void seriesMatchOneCallPerPrimitive_data() { addRatioRows(); }
    void seriesMatchOneCallPerPrimitive()
    {
        QFETCH(double, ratio);
        ImageSurface whole(QSize(160, 120), 15, ratio), single(QSize(160, 120), 15, ratio);
        for (ImageSurface* s : { &whole, &single }) {
            s->setBackColor(0xFFFFFF);
            s->Cls();
        }
        const auto draw = [&](const std::vector<std::int32_t>& xs, const std::vector<std::int32_t>& ys, bool boxes,
                              std::int32_t color) {
            whole.series(xs.data(), ys.data(), xs.size(), boxes, 30, 15, color);
            single.DrawingSurface::series(xs.data(), ys.data(), xs.size(), boxes, 30, 15, color);
        };
        std::vector<std::int32_t> xs, ys, far, edge;
        for (int j = 0; j < 300; ++j) {
            xs.push_back(-45 + j * 8);
            ys.push_back(1700 - (j * 7919 % 1777));
            far.push_back(j % 2 ? -2000000000 : 2000000000);
            edge.push_back(1765 + j % 40); // boxes across the bottom edge
        }
        draw(xs, ys, true, 0x0000FF);
        draw(xs, std::vector<std::int32_t>(ys.rbegin(), ys.rend()), false, 0x00FF00);
        std::vector<std::int32_t> shifted(xs);
        for (std::int32_t& x : shifted)
            x += 7;
        draw(shifted, ys, true, 0xFF0000);
        draw(xs, far, true, 0x808000);
        draw(xs, edge, true, 0x800080);
        draw({ 300 }, { 300 }, true, 0x008080);
        const QImage image = whole.image();
        QCOMPARE(differingPixels(image, single.image()), qsizetype(0));
        QVERIFY(image.pixelColor(int(20 * ratio), int(60 * ratio)) != QColor(Qt::white));
    }

    void clearingForgetsWhatWaits()
    {
        TwinSurfaces twins(QSize(100, 60), 1);
        twins.fill(0, 0, 750, 450, shade(1));
        twins.line(300, 0, 300, 885, shade(2));
        twins.fill(150, 150, 600, 600, shade(3));
        twins.clear();
        twins.fill(900, 600, 1200, 750, shade(4));
        QCOMPARE(twins.differing(), qsizetype(0));
        const QImage image = twins.image();
        QCOMPARE(image.pixelColor(10, 10), QColor(Qt::white));
        QCOMPARE(image.pixelColor(20, 30), QColor(Qt::white));
        QCOMPARE(image.pixelColor(70, 45), toQColor(shade(4)));
    }

    void imageMidDrawingShowsAllSoFar()
    {
        TwinSurfaces twins(QSize(100, 60), 2);
        twins.fill(0, 0, 750, 450, shade(1));
        twins.line(300, 0, 300, 885, shade(2));
        QCOMPARE(twins.differing(), qsizetype(0));
        // Drawing goes on over what was already shown.
        twins.line(0, 300, 1485, 300, shade(2));
        twins.fill(150, 150, 600, 600, shade(3));
        twins.line(0, 0, 1485, 885, shade(4));
        QCOMPARE(twins.differing(), qsizetype(0));
    }

    void shownImageIsSharedUntilDrawnOver()
    {
        ImageSurface surface(QSize(100, 50), 15, 2);
        surface.setBackColor(0xFFFFFF);
        surface.Cls();
        surface.fillBox(0, 0, 150, 150, 0xFF0000);
        const QImage first = surface.image();
        // Showing the drawing again copies no pixels.
        QCOMPARE(surface.image().constBits(), first.constBits());
        QCOMPARE(surface.image().devicePixelRatio(), 2.0);
        // Drawing on leaves what was shown as it was.
        surface.fillBox(0, 0, 150, 150, 0xFF);
        surface.line(300, 0, 300, 735, 0xFF00);
        QCOMPARE(first.pixelColor(5, 5), QColor(Qt::blue));
        QCOMPARE(first.pixelColor(40, 5), QColor(Qt::white));
        const QImage second = surface.image();
        QCOMPARE(second.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(second.pixelColor(40, 5), QColor(Qt::green));
    }

    void resizingKeepsTheDrawingPixelForPixel()
    {
        ImageSurface surface(QSize(60, 40), 15, 2);
        surface.setBackColor(0xFFFFFF);
        surface.Cls();
        surface.fillBox(150, 150, 300, 300, 0xFF0000);
        surface.resize(QSize(80, 50), 15, 2);
        const QImage image = surface.image();
        QCOMPARE(image.size(), QSize(160, 100));
        QCOMPARE(image.devicePixelRatio(), 2.0);
        QCOMPARE(image.pixelColor(20, 20), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(40, 40), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(41, 41), QColor(Qt::white));
        // Drawing after the resize still lands on device pixels.
        surface.line(0, 600, 1185, 600, 0xFF);
        QCOMPARE(surface.image().pixelColor(150, 80), QColor(Qt::red));
    }

    // Widths are remembered per text; what they were measured with must still hold when asked again.
    void textsAreMeasuredInTheFontAndResolutionInForce()
    {
        const QString label = QStringLiteral("Exam History 2600");
        const auto measured = [&label](double twipsPerPixel, double size) {
            ImageSurface fresh(QSize(100, 50), twipsPerPixel, 1);
            fresh.setFont(std::make_shared<platform::FontObject>(QStringLiteral("Serif"), size));
            return std::pair(fresh.TextWidth(label), fresh.TextHeight(label));
        };
        ImageSurface surface(QSize(100, 50), 15, 1);
        const auto font = std::make_shared<platform::FontObject>(QStringLiteral("Serif"), 10);
        surface.setFont(font);
        QCOMPARE(std::pair(surface.TextWidth(label), surface.TextHeight(label)), measured(15, 10));
        // The font object is shared: its owner may change it between two measurements.
        font->Size = 20;
        QCOMPARE(std::pair(surface.TextWidth(label), surface.TextHeight(label)), measured(15, 20));
        QVERIFY(measured(15, 20).first > measured(15, 10).first);
        // A screen of twice the resolution: twips per pixel halve, and a text covers more pixels.
        surface.resize(QSize(100, 50), 7.5, 1);
        QCOMPARE(std::pair(surface.TextWidth(label), surface.TextHeight(label)), measured(7.5, 20));
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

    // A dark desktop makes the default text colour (the palette's button text) light; on the white
    // background the score history sets, the title, the axis numbers and the legend stay readable.
    void textStandsOutOfAWhiteChartUnderADarkPalette()
    {
        const QPalette light = QGuiApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::ButtonText, QColor(0xF0, 0xF0, 0xF0));
        dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));
        QGuiApplication::setPalette(dark);
        ImageSurface surface(QSize(600, 420));
        testing_support::ScriptedMessageBoxes messages;
        Plotvane control(surface, messages, nullptr);
        control.InitNew();
        PlotvaneDispatch dispatch(control);
        const auto put = [&](int dispid, Variant value) {
            platform::invoke(dispatch, dispid, InvokeKind::PropertyPut, { value });
        };
        auto data = std::make_shared<platform::SafeArray>(0, 2, 0, 3);
        for (int j = 0; j <= 3; ++j) {
            (*data)(1, j) = double(j * 3);
            (*data)(2, j) = 7.0;
        }
        put(DispChartType, ChartTypes::Line);
        platform::invoke(dispatch, DispRegisterData, InvokeKind::Method, { data });
        put(DispBackColor, std::int32_t(0xFFFFFF));
        platform::invoke(dispatch, DispSetSeriesOptions, InvokeKind::Method,
                         { std::int16_t(0), std::int32_t(0xFF0000), QStringLiteral("Your Score") });
        platform::invoke(dispatch, DispSetSeriesOptions, InvokeKind::Method,
                         { std::int16_t(1), std::int32_t(0x0000FF), QStringLiteral("Passing Score") });
        put(DispTitle, QStringLiteral("Exam History"));
        put(DispDisplayLegend, true);
        platform::invoke(dispatch, DispRefresh, InvokeKind::Method);
        const QImage image = surface.image();
        QGuiApplication::setPalette(light);

        const QColor white(Qt::white);
        QCOMPARE(image.pixelColor(2, 2), white);
        const int w = image.width();
        const int h = image.height();
        QVERIFY(contrastRatio(QColor(0xF0, 0xF0, 0xF0), white) < 1.2); // what would have been drawn
        QVERIFY2(greyContrast(image, QRect(0, 0, w, h / 10), white) >= 4.5, "title");
        QVERIFY2(greyContrast(image, QRect(0, h / 10, w / 20, h * 8 / 10), white) >= 4.5, "axis numbers");
        QVERIFY2(greyContrast(image, QRect(w * 3 / 4, h / 4, w / 4, h / 2), white) >= 4.5, "legend");
    }

    void contrastRatiosAreWcags()
    {
        QCOMPARE(contrastRatio(Qt::black, Qt::white), 21.0);
        QCOMPARE(contrastRatio(Qt::white, Qt::white), 1.0);
        // #767676 on white is the lightest grey that reaches 4.5 : 1.
        QVERIFY(contrastRatio(QColor(0x76, 0x76, 0x76), Qt::white) >= 4.5);
        QVERIFY(contrastRatio(QColor(0x77, 0x77, 0x77), Qt::white) < 4.5);
    }

    void systemColoursComeFromThePalette()
    {
        ImageSurface surface(QSize(10, 10));
        surface.Cls();
        QCOMPARE(surface.image().pixelColor(5, 5), QGuiApplication::palette().color(QPalette::Button));
        // The palette of the moment of drawing, even when the picture is taken after it changed.
        const QPalette before = QGuiApplication::palette();
        surface.Cls();
        surface.box(0, 0, 135, 135, DrawingSurface::DefaultForeColor);
        QPalette changed = before;
        changed.setColor(QPalette::Button, QColor(0x12, 0x34, 0x56));
        changed.setColor(QPalette::ButtonText, QColor(0x65, 0x43, 0x21));
        QGuiApplication::setPalette(changed);
        const QImage image = surface.image();
        QGuiApplication::setPalette(before);
        QCOMPARE(image.pixelColor(5, 5), before.color(QPalette::Button));
        QCOMPARE(image.pixelColor(0, 0), before.color(QPalette::ButtonText));
    }
};

QTEST_MAIN(ImageSurfaceTest)
#include "imagesurface_test.moc"
