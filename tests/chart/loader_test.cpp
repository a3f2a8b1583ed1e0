// Loads the chart control as the program does: through the plugin loader, without linking it.
#include "plotvanefactory.h"
#include "plotvaneidentity.h"

#include "support/fakeservices.h"

#include "platform/automation/safearray.h"

#include <QAccessible>
#include <QApplication>
#include <QPluginLoader>
#include <QTest>
#include <QWidget>

using namespace plotvane;
using platform::InvokeKind;
using platform::Variant;

namespace {

class Sink : public EventSink
{
public:
    void raiseEvent(int eventId, std::vector<Variant>& arguments) override { events.push_back({ eventId, arguments }); }
    void propertyChanged(const QString& name) override { changed.append(name); }
    std::vector<std::pair<int, std::vector<Variant>>> events;
    QStringList changed;
};

std::shared_ptr<platform::SafeArray> history()
{
    auto data = std::make_shared<platform::SafeArray>(0, 2, 0, 2);
    const double scores[] = { 60, 75, 90 };
    for (int j = 0; j < 3; ++j) {
        (*data)(1, j) = scores[j];
        (*data)(2, j) = 70.0;
    }
    return data;
}

} // namespace

class LoaderTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_loader.setFileName(QCoreApplication::applicationDirPath() + QStringLiteral("/libplotvane.so"));
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
        m_factory = qobject_cast<PlotvaneFactory*>(m_loader.instance());
        QVERIFY(m_factory);
    }

    void metadataNamesTheClass()
    {
        const QJsonObject meta = m_loader.metaData().value(QStringLiteral("MetaData")).toObject();
        QCOMPARE(meta.value(QStringLiteral("ProgID")).toString(), QString::fromLatin1(Identity::ProgId));
        QCOMPARE(meta.value(QStringLiteral("CLSID")).toString(), QString::fromLatin1(Identity::ClassId));
        QCOMPARE(meta.value(QStringLiteral("IID")).toString(), QString::fromLatin1(Identity::InterfaceId));
        QCOMPARE(meta.value(QStringLiteral("EventIID")).toString(), QString::fromLatin1(Identity::EventInterfaceId));
    }

    void savedInstanceDrawsOnARecording()
    {
        // The history screen's saved form, keys in lower case.
        PropertyBag saved;
        saved.set(QStringLiteral("borderstyle"), std::int16_t(1));
        saved.set(QStringLiteral("plotpoints"), true);
        QStringList log;
        testing_support::ScriptedMessageBoxes messages;
        Sink sink;
        auto control = m_factory->createRecording(QSizeF(7200, 4800), &saved, messages, &sink, &log, QSizeF(100, 195));
        QVERIFY(control);
        QVERIFY(!control->widget());
        platform::Dispatch& chart = control->dispatch();
        platform::invoke(chart, DispChartType, InvokeKind::PropertyPut, { std::int32_t(ChartTypes::Line) });
        platform::invoke(chart, DispVerticalTickInterval, InvokeKind::PropertyPut, { std::int16_t(10) });
        platform::invoke(chart, DispSetSeriesOptions, InvokeKind::Method,
                         { std::int16_t(0), std::int32_t(0xFF0000), QStringLiteral("Your Score") });
        platform::invoke(chart, DispRegisterData, InvokeKind::Method, { history() });
        log.clear();
        platform::invoke(chart, DispRefresh, InvokeKind::Method);

        // A loaded instance keeps black for series 1; series 0 was chosen blue.
        QCOMPARE(log.filter(QStringLiteral("fill ")).size(), 6);
        QCOMPARE(log.filter(QStringLiteral("fill ")).filter(QStringLiteral("0x00FF0000")).size(), 3);
        QCOMPARE(log.filter(QStringLiteral("fill ")).filter(QStringLiteral("0x00000000")).size(), 3);
        QCOMPARE(platform::invoke(chart, DispHighScale, InvokeKind::PropertyGet).toDouble(), 90.0);
        QCOMPARE(log.first(), QStringLiteral("cls 0x8000000F"));
        QCOMPARE(sink.changed,
                 QStringList(
                     { QStringLiteral("Font"), QStringLiteral("ChartType"), QStringLiteral("VerticalTickInterval") }));

        const PropertyBag bag = control->saveProperties();
        QCOMPARE(bag.read(QStringLiteral("BorderStyle"), {}).toLong(), 1);
        QCOMPARE(bag.read(QStringLiteral("ChartType"), {}).toLong(), 1);
    }

    void widgetInstanceShowsTheChartAndRaisesEvents()
    {
        QWidget form;
        form.resize(500, 340);
        testing_support::ScriptedMessageBoxes messages;
        Sink sink;
        auto control = m_factory->create(&form, nullptr, messages, &sink);
        QWidget* chart = control->widget();
        QVERIFY(chart);
        chart->setGeometry(0, 0, 482, 322);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        platform::Dispatch& dispatch = control->dispatch();
        platform::invoke(dispatch, DispBackColor, InvokeKind::PropertyPut, { std::int32_t(0xFFFFFF) });
        platform::invoke(dispatch, DispRegisterData, InvokeKind::Method, { history() });
        platform::invoke(dispatch, DispRefresh, InvokeKind::Method);
        QTRY_VERIFY(chart->grab().toImage().pixelColor(240, 3) == QColor(Qt::white));

        sink.events.clear();
        QTest::mouseClick(chart, Qt::LeftButton, Qt::ShiftModifier, QPoint(11, 21));
        QCOMPARE(sink.events.size(), std::size_t(3));
        QCOMPARE(sink.events[0].first, int(EventMouseDown));
        QCOMPARE(sink.events[1].first, int(EventMouseUp));
        QCOMPARE(sink.events[2].first, int(EventClick));
        const auto& down = sink.events[0].second;
        QCOMPARE(down.size(), std::size_t(4));
        QCOMPARE(down[0].toLong(), 1);
        QCOMPARE(down[1].toLong(), 1);
        // Inside the one-pixel border, at 15 twips a pixel.
        const double twips = 1440.0 / chart->logicalDpiX();
        QCOMPARE(down[2].toDouble(), 10 * twips);
        QCOMPARE(down[3].toDouble(), 20 * twips);

        sink.events.clear();
        QTest::keyClick(chart, Qt::Key_A);
        QCOMPARE(sink.events.size(), std::size_t(3));
        QCOMPARE(sink.events[0].first, int(EventKeyDown));
        QCOMPARE(sink.events[0].second[0].toLong(), 0x41);
        QCOMPARE(sink.events[1].first, int(EventKeyPress));
        QCOMPARE(sink.events[1].second[0].toLong(), int('a'));
        QCOMPARE(sink.events[2].first, int(EventKeyUp));
    }

    void theRefreshedDataIsATableForAssistiveTechnology()
    {
        QWidget form;
        testing_support::ScriptedMessageBoxes messages;
        Sink sink;
        form.resize(500, 340);
        auto control = m_factory->create(&form, nullptr, messages, &sink);
        control->widget()->setGeometry(0, 0, 482, 322);
        QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(control->widget());
        QVERIFY(chart);
        QCOMPARE(chart->role(), QAccessible::Chart);
        QVERIFY(chart->tableInterface());

        platform::Dispatch& dispatch = control->dispatch();
        platform::invoke(dispatch, DispTitle, InvokeKind::PropertyPut, { QStringLiteral("Exam History") });
        platform::invoke(dispatch, DispSetSeriesOptions, InvokeKind::Method,
                         { std::int16_t(0), std::int32_t(0xFF0000), QStringLiteral("Your Score") });
        auto data = history();
        (*data)(0, 2) = QStringLiteral("Third");
        platform::invoke(dispatch, DispRegisterData, InvokeKind::Method, { data });
        // Registered data is not shown before a Refresh, and is not told before one either.
        QCOMPARE(chart->tableInterface()->rowCount(), 0);
        QCOMPARE(chart->childCount(), 0);
        platform::invoke(dispatch, DispRefresh, InvokeKind::Method);

        QAccessibleTableInterface* table = chart->tableInterface();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->columnCount(), 2);
        QCOMPARE(table->columnDescription(0), QStringLiteral("Your Score"));
        QCOMPARE(table->columnDescription(1), QStringLiteral("Series 2"));
        QCOMPARE(table->rowDescription(0), QStringLiteral("Point 1"));
        QCOMPARE(table->rowDescription(2), QStringLiteral("Third"));
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("75"));
        QCOMPARE(table->cellAt(2, 1)->text(QAccessible::Name), QStringLiteral("70"));
        QCOMPARE(table->cellAt(2, 1)->text(QAccessible::Description), QStringLiteral("Series 2, Third"));
        QCOMPARE(table->cellAt(1, 0)->tableCellInterface()->rowIndex(), 1);
        QCOMPARE(chart->childCount(), 6);
        QCOMPARE(chart->indexOfChild(chart->child(3)), 3);
        QCOMPARE(chart->child(3)->parent(), chart);
        QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("Exam History"));
        QCOMPARE(chart->text(QAccessible::Description),
                 QStringLiteral("Exam History. Your Score: 60, 75, 90. Series 2: 70, 70, 70."));

        // A container's own name and description stand before the chart's.
        control->widget()->setAccessibleName(QStringLiteral("Scores"));
        QCOMPARE(chart->text(QAccessible::Name), QStringLiteral("Scores"));

        // The next Refresh replaces the table; cells of the old one are not kept.
        auto fewer = std::make_shared<platform::SafeArray>(0, 1, 0, 1);
        (*fewer)(1, 0) = std::int16_t(4);
        (*fewer)(1, 1) = std::int16_t(6);
        platform::invoke(dispatch, DispRegisterData, InvokeKind::Method, { fewer });
        platform::invoke(dispatch, DispRefresh, InvokeKind::Method);
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->columnCount(), 1);
        QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("4"));
        QVERIFY(!table->cellAt(2, 0));
        QVERIFY(!table->cellAt(0, 1));
    }

private:
    QPluginLoader m_loader;
    PlotvaneFactory* m_factory = nullptr;
};

QTEST_MAIN(LoaderTest)
#include "loader_test.moc"
