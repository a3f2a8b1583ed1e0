#include "screens/frmabout.h"
#include "webaddresses.h"

#include "platform/messageboxes.h"
#include "support/fakeservices.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace quizmark;
using testing_support::FakeRegistry;

namespace {

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
constexpr std::uint32_t BinaryValue = 3;

// Remembers the access each key was opened with, so a test can see that reading never asks to write.
class AccessRecordingRegistry : public FakeRegistry
{
public:
    long openKey(Key root, const QString& name, std::uint32_t access, Key& opened) override
    {
        accesses.push_back(access);
        return FakeRegistry::openKey(root, name, access, opened);
    }
    std::vector<std::uint32_t> accesses;
};

FakeRegistry::Value stringValue(const QByteArray& bytes)
{
    return { platform::Registry::StringValue, bytes };
}

QList<frmAbout*> openBoxes()
{
    QList<frmAbout*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<frmAbout*>(widget); box && box->isVisible())
            boxes.append(box);
    return boxes;
}

frmAbout* theOpenBox()
{
    const QList<frmAbout*> boxes = openBoxes();
    return boxes.size() == 1 ? boxes.front() : nullptr;
}

template <typename T> T* control(QWidget* box, const char* name)
{
    T* found = box->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// "name=path" pairs as programs found on the search path.
QMap<QString, QString> searchPath(const QStringList& pairs)
{
    QMap<QString, QString> found;
    for (const QString& pair : pairs)
        found.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    return found;
}

} // namespace

class AboutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void cleanup()
    {
        for (frmAbout* box : openBoxes())
            box->close();
        flushDeletes();
    }

    void readsRegistryValues_data()
    {
        QTest::addColumn<bool>("keyExists");
        QTest::addColumn<std::uint32_t>("type");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("text");

        const QByteArray path("C:\\Program Files\\Common Files\\MSINFO32.EXE");
        const QByteArray full(1024, 'x');
        QTest::newRow("string with its terminating zero")
            << true << platform::Registry::StringValue << path + '\0' << "PATH" << true << QString::fromLatin1(path);
        QTest::newRow("string without its terminating zero")
            << true << platform::Registry::StringValue << path << "PATH" << true << QString::fromLatin1(path);
        QTest::newRow("string with bytes after its terminator")
            << true << platform::Registry::StringValue << QByteArray("C:\\Tools\0junk", 13) << "PATH" << true
            << QStringLiteral("C:\\Tools");
        QTest::newRow("empty string") << true << platform::Registry::StringValue << QByteArray() << "PATH" << true
                                      << QString();
        QTest::newRow("string filling the buffer without terminator")
            << true << platform::Registry::StringValue << full << "PATH" << true << QString::fromLatin1(full);
        QTest::newRow("string longer than the buffer")
            << true << platform::Registry::StringValue << QByteArray(1500, 'y') << "PATH" << true
            << QString(1024, u'y');
        QTest::newRow("32-bit number, least significant byte first")
            << true << platform::Registry::NumberValue << QByteArray("\x78\x56\x34\x12", 4) << "PATH" << true
            << QStringLiteral("&h12345678");
        QTest::newRow("small 32-bit number keeps its leading zeros")
            << true << platform::Registry::NumberValue << QByteArray("\x0e\0\0\0", 4) << "PATH" << true
            << QStringLiteral("&h0000000E");
        QTest::newRow("short number value reads the missing bytes as zero")
            << true << platform::Registry::NumberValue << QByteArray("\xff", 1) << "PATH" << true
            << QStringLiteral("&h000000FF");
        QTest::newRow("other kind of value leaves the text as it was")
            << true << BinaryValue << QByteArray("\x01\x02", 2) << "PATH" << true << QStringLiteral("unchanged");
        QTest::newRow("value that is not there")
            << true << platform::Registry::StringValue << path << "MISSING" << false << QString();
        QTest::newRow("key that cannot be opened")
            << false << platform::Registry::StringValue << path << "PATH" << false << QString();
    }

    void readsRegistryValues()
    {
        QFETCH(bool, keyExists);
        QFETCH(std::uint32_t, type);
        QFETCH(QByteArray, stored);
        QFETCH(QString, valueName);
        QFETCH(bool, read);
        QFETCH(QString, text);

        AccessRecordingRegistry registry;
        if (keyExists)
            registry.keys[ToolKey][QStringLiteral("PATH")] = { type, stored };
        QString value = QStringLiteral("unchanged");
        QCOMPARE(GetKeyValue(registry, platform::Registry::LocalMachine, ToolKey, valueName, value), read);
        QCOMPARE(value, text);
        QCOMPARE(registry.openKeys, 0);
        QCOMPARE(registry.accesses.size(), std::size_t(1));
        constexpr std::uint32_t QueryValue = 0x1, SetValue = 0x2, CreateSubKey = 0x4;
        QCOMPARE(registry.accesses.front() & QueryValue, QueryValue);
        QCOMPARE(registry.accesses.front() & (SetValue | CreateSubKey), 0u);
    }

    void keyUnderAnotherRootIsNotRead()
    {
        FakeRegistry registry;
        registry.keys[ToolKey][QStringLiteral("PATH")] = stringValue("C:\\msinfo32.exe");
        QString value = QStringLiteral("unchanged");
        QVERIFY(!GetKeyValue(registry, platform::Registry::LocalMachine + 1, ToolKey, QStringLiteral("PATH"), value));
        QCOMPARE(value, QString());
    }

    void startsTheSystemInformationTool_data()
    {
        QTest::addColumn<QByteArray>("registeredPath");
        QTest::addColumn<QByteArray>("registeredDirectory");
        QTest::addColumn<QStringList>("existingFiles");
        QTest::addColumn<QStringList>("onSearchPath");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<bool>("unavailable");

        const QStringList none;
        const QStringList viewers{ QStringLiteral("hardinfo2=/usr/bin/hardinfo2"),
                                   QStringLiteral("kinfocenter=/usr/bin/kinfocenter") };
        QTest::newRow("registered file name is started unchecked")
            << QByteArray("D:\\Info\\msinfo32.exe") << QByteArray() << none << viewers << true
            << QStringList{ QStringLiteral("D:\\Info\\msinfo32.exe") } << false;
        QTest::newRow("registered file name that will not start")
            << QByteArray("D:\\Info\\msinfo32.exe") << QByteArray() << none << viewers << false
            << QStringList{ QStringLiteral("D:\\Info\\msinfo32.exe") } << true;
        QTest::newRow("registered directory holding the tool")
            << QByteArray() << QByteArray("C:\\Tools") << QStringList{ QStringLiteral("C:\\Tools\\MSINFO32.EXE") }
            << none << true << QStringList{ QStringLiteral("C:\\Tools\\MSINFO32.EXE") } << false;
        QTest::newRow("registered directory with a trailing backslash")
            << QByteArray() << QByteArray("C:\\Tools\\") << QStringList{ QStringLiteral("C:\\Tools\\\\MSINFO32.EXE") }
            << none << true << QStringList{ QStringLiteral("C:\\Tools\\\\MSINFO32.EXE") } << false;
        QTest::newRow("registered directory without the tool, nothing else")
            << QByteArray() << QByteArray("C:\\Tools") << none << none << true << QStringList() << true;
        QTest::newRow("nothing registered: the first viewer found")
            << QByteArray() << QByteArray() << none << viewers << true
            << QStringList{ QStringLiteral("/usr/bin/hardinfo2") } << false;
        QTest::newRow("nothing registered: the desktop's settings at their system page")
            << QByteArray() << QByteArray() << none
            << QStringList{ QStringLiteral("gnome-control-center=/usr/bin/gnome-control-center") } << true
            << QStringList{ QStringLiteral("/usr/bin/gnome-control-center system") } << false;
        QTest::newRow("viewer that will not start")
            << QByteArray() << QByteArray() << none << QStringList{ QStringLiteral("xfce4-about=/usr/bin/xfce4-about") }
            << false << QStringList{ QStringLiteral("/usr/bin/xfce4-about") } << true;
        QTest::newRow("nothing anywhere")
            << QByteArray() << QByteArray() << none << none << true << QStringList() << true;
    }

    void startsTheSystemInformationTool()
    {
        QFETCH(QByteArray, registeredPath);
        QFETCH(QByteArray, registeredDirectory);
        QFETCH(QStringList, existingFiles);
        QFETCH(QStringList, onSearchPath);
        QFETCH(bool, startSucceeds);
        QFETCH(QStringList, started);
        QFETCH(bool, unavailable);

        testing_support::FakeServices fakes;
        if (!registeredPath.isEmpty())
            fakes.registry.keys[ToolKey][QStringLiteral("PATH")] = stringValue(registeredPath + '\0');
        if (!registeredDirectory.isEmpty())
            fakes.registry.keys[LocationKey][QStringLiteral("MSINFO")] = stringValue(registeredDirectory + '\0');
        fakes.programs.existingFiles = existingFiles;
        fakes.programs.onSearchPath = searchPath(onSearchPath);
        fakes.programs.startSucceeds = startSucceeds;

        QWidget owner;
        frmAbout::showAbout(fakes.services(), &owner);
        QPointer<frmAbout> box = theOpenBox();
        QVERIFY(box);
        QTest::mouseClick(control<QPushButton>(box, "cmdSysInfo"), Qt::LeftButton);

        QCOMPARE(fakes.programs.started, started);
        QCOMPARE(fakes.messages.shown.size(), std::size_t(unavailable ? 1 : 0));
        if (unavailable) {
            const auto& shown = fakes.messages.shown.front();
            QCOMPARE(shown.prompt, QStringLiteral("System Information Is Unavailable At This Time"));
            QCOMPARE(shown.buttons, platform::MsgBoxStyle::OKOnly);
            QCOMPARE(shown.title, QStringLiteral("Quizmark"));
        }
        QCOMPARE(fakes.registry.openKeys, 0);
        flushDeletes();
        QVERIFY(box && box->isVisible());
    }

    void showsTitleVersionAndButtons()
    {
        testing_support::FakeServices fakes;
        QWidget owner;
        frmAbout::showAbout(fakes.services(), &owner);
        frmAbout* box = theOpenBox();
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("About Quizmark"));
        QCOMPARE(control<QLabel>(box, "lblVersion")->text(), QStringLiteral("Version 1.0.14"));
        QCOMPARE(control<QLabel>(box, "lblTitle")->text(), QStringLiteral("Quizmark"));
        QCOMPARE(control<QLabel>(box, "lblDescription")->text(),
                 QStringLiteral("Visit ") + QLatin1String(WebAddress::Homepage)
                     + QStringLiteral("  for updates and downloadable questions files"));
        QVERIFY(!control<QLabel>(box, "picIcon")->pixmap().isNull());
        QCOMPARE(control<QPushButton>(box, "cmdOK")->text(), QStringLiteral("OK"));
        QVERIFY(control<QPushButton>(box, "cmdOK")->isDefault());
        QCOMPARE(control<QPushButton>(box, "cmdSysInfo")->text(), QStringLiteral("&System Info..."));

        QVERIFY(box->isWindow());
        QVERIFY(!box->isModal());
        QVERIFY(!(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(box->sizeHint(), box->minimumSize());
        QCOMPARE(box->minimumSize(), box->maximumSize());
    }

    void okEnterAndEscapeClose_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("click OK") << 0;
        QTest::newRow("Enter with the focus on System Info") << 1;
        QTest::newRow("Escape") << 2;
    }

    void okEnterAndEscapeClose()
    {
        QFETCH(int, how);
        testing_support::FakeServices fakes;
        QWidget owner;
        frmAbout::showAbout(fakes.services(), &owner);
        QPointer<frmAbout> box = theOpenBox();
        QVERIFY(box);
        if (how == 0) {
            QTest::mouseClick(control<QPushButton>(box, "cmdOK"), Qt::LeftButton);
        } else if (how == 1) {
            control<QPushButton>(box, "cmdSysInfo")->setFocus();
            QTest::keyClick(control<QPushButton>(box, "cmdSysInfo"), Qt::Key_Return);
        } else {
            QTest::keyClick(box, Qt::Key_Escape);
        }
        flushDeletes();
        QVERIFY(box.isNull());
        QVERIFY(fakes.programs.started.isEmpty());
        QVERIFY(fakes.messages.shown.empty());
    }

    void openingAgainBringsUpTheSameBox()
    {
        testing_support::FakeServices fakes;
        QWidget window;
        auto* screen = new QWidget(&window);
        frmAbout::showAbout(fakes.services(), screen);
        QPointer<frmAbout> first = theOpenBox();
        QVERIFY(first);
        QCOMPARE(first->parentWidget(), &window);

        frmAbout::showAbout(fakes.services(), screen);
        QCOMPARE(openBoxes().size(), 1);
        QCOMPARE(theOpenBox(), first.data());

        // The box outlives the screen that opened it.
        delete screen;
        flushDeletes();
        QVERIFY(first && first->isVisible());

        QTest::mouseClick(control<QPushButton>(first, "cmdOK"), Qt::LeftButton);
        flushDeletes();
        QVERIFY(first.isNull());
        frmAbout::showAbout(fakes.services(), &window);
        QCOMPARE(openBoxes().size(), 1);
    }
};

QTEST_MAIN(AboutTest)

#include "about_test.moc"
