#include "pluginchartloader.h"
#include "screens/history.h"

#include "chart/plotvaneidentity.h"
#include "platform/automation/dispatch.h"
#include "support/fakeservices.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace quizmark;

class PluginChartLoaderTest : public QObject {
    Q_OBJECT

    static QString library() { return QCoreApplication::applicationDirPath() + QStringLiteral("/libplotvane.so"); }

private slots:
    void placesAChartOnTheParentFromTheBuiltLibrary()
    {
        PluginChartLoader loader(library());
        testing_support::ScriptedMessageBoxes messages;
        QWidget parent;
        QString problem;
        auto chart = loader.create(&parent, history::savedChartProperties(), messages, problem);
        QVERIFY2(chart, qPrintable(problem));
        QCOMPARE(chart->widget()->parentWidget(), &parent);
        const platform::Variant title = platform::invoke(chart->dispatch(), plotvane::DispTitle,
            platform::InvokeKind::PropertyGet);
        QCOMPARE(title.toString(), QString());
        // The saved properties arrived: the border and the plotted points are kept on saving.
        const plotvane::PropertyBag saved = chart->saveProperties();
        QCOMPARE(saved.read("BorderStyle", std::int16_t(0)).toInteger(), 1);
        QVERIFY(saved.read("PlotPoints", false).toBoolean());
        auto second = loader.create(&parent, history::savedChartProperties(), messages, problem);
        QVERIFY(second);
    }

    void aMissingOrForeignLibraryIsReportedNotLoaded_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("not a library") << "text";
        QTest::newRow("another library") << "other";
    }

    void aMissingOrForeignLibraryIsReportedNotLoaded()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("libplotvane.so"));
        if (kind == "text") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a shared library");
        } else if (kind == "other") {
            path = QCoreApplication::applicationDirPath() + QStringLiteral("/libquizmark_platform.so");
            QVERIFY(QFile::exists(path));
        }
        PluginChartLoader loader(path);
        testing_support::ScriptedMessageBoxes messages;
        QWidget parent;
        QString problem;
        QVERIFY(!loader.create(&parent, history::savedChartProperties(), messages, problem));
        QVERIFY(!problem.isEmpty());
        QVERIFY(parent.children().isEmpty());
    }
};

QTEST_MAIN(PluginChartLoaderTest)
#include "pluginchartloader_test.moc"
