#include "mdiform1.h"
#include "module1.h"
#include "startup.h"

#include "platform/diskrecordfilesystem.h"
#include "platform/runtimeapplication.h"
#include "platform/runtimeerror.h"
#include "support/fakeservices.h"
#include "support/screentesting.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quizmark;
using testing_support::flushDeletes;
using testing_support::padded;

namespace {

const QString IndexPath = QStringLiteral("/quizmark/dat/index.dat");

QByteArray catalogue(const QList<std::pair<QString, int>>& exams)
{
    QByteArray bytes;
    for (const auto& [name, total] : exams) {
        CatalogueRecord record;
        record.ExamName = padded(name, CatalogueRecord::ExamNameWidth);
        record.BankFile = padded(name + QStringLiteral(".dat"), CatalogueRecord::BankFileWidth);
        record.QuestionTotal = static_cast<std::int16_t>(total);
        record.Description = padded(QStringLiteral("About ") + name, CatalogueRecord::DescriptionWidth);
        bytes += record.toBytes();
    }
    return bytes;
}

} // namespace

class AttemptSetupTest : public QObject
{
    Q_OBJECT

    struct Road
    {
        testing_support::FakeServices fakes;
        MDIForm1 window{ fakes.services() };
        int examsLoaded = 0;
        int setupsLoaded = 0;
        Road()
        {
            registerScreens(window);
            window.registerScreen(QStringLiteral("exam"), [this](ScreenHost&) {
                ++examsLoaded;
                auto* exam = new QWidget;
                exam->setObjectName(QStringLiteral("exam"));
                return exam;
            });
        }
        template <typename T> T* control(const QString& screen, const QString& name)
        {
            QWidget* form = window.findChild<QWidget*>(screen);
            return form ? form->findChild<T*>(name) : nullptr;
        }
        // Shows the set-up screen for catalogue record `exam` after the selection screen.
        void setUp(int total)
        {
            fakes.recordFiles.setFile(IndexPath, catalogue({ { "Alpha", 7 }, { "Beta", total } }));
            loadStartScreen(window);
            control<QListWidget>("examselect", "List1")->setCurrentRow(1);
            QTest::mouseClick(control<QPushButton>("examselect", "Command1"), Qt::LeftButton);
            flushDeletes();
        }
    };

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void listsTheCatalogueInRecordOrderWithTheFirstSelected()
    {
        Road road;
        road.fakes.recordFiles.setFile(IndexPath, catalogue({ { "Zeta", 10 }, { "Alpha", 20 }, { "Mid", 30 } }));
        Module1.SelectedExam = 3;
        loadStartScreen(road.window);
        auto* list = road.control<QListWidget>("examselect", "List1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), padded("Zeta", 25));
        QCOMPARE(list->item(2)->text(), padded("Mid", 25));
        QCOMPARE(Module1.SelectedExam, 1);
        QCOMPARE(road.control<QPlainTextEdit>("examselect", "Text1")->toPlainText(), padded("About Zeta", 200));
        QCOMPARE(Module1.DataDirectory, QStringLiteral("/quizmark/dat/"));
        QCOMPARE(Module1.IndexFilePath, IndexPath);
        QCOMPARE(road.fakes.settings.values.value("quizmark/settings/Path To Data Files"), QStringLiteral("/quizmark"));
        QCOMPARE(road.control<QWidget>("examselect", "Label1")->property("text").toString(),
                 QStringLiteral("Select An Exam"));

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(Module1.SelectedExam, 3);
        QCOMPARE(road.control<QPlainTextEdit>("examselect", "Text1")->toPlainText(), padded("About Mid", 200));
    }

    void chooseHandsTheSelectedExamToTheSetUpScreen()
    {
        Road road;
        road.setUp(20);
        QVERIFY(!road.window.findChild<QWidget*>("examselect"));
        QCOMPARE(road.control<QLabel>("questionselect", "Label1")->text(), padded("Beta", 25));
        QCOMPARE(road.control<QLabel>("questionselect", "Label4")->text(), QStringLiteral("20"));
        QCOMPARE(road.control<QLabel>("questionselect", "Label6")->text(), QString());
        QCOMPARE(road.window.findChild<QWidget*>("questionselect")->windowTitle(),
                 QStringLiteral("Total Questions To Take "));
        QVERIFY(road.fakes.files.isOpen(FileNumber::Catalogue));
    }

    void aMissingOrEmptyCatalogueListsNothingAndChooseDoesNothing_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("missing index.dat") << false;
        QTest::newRow("empty index.dat") << true;
    }

    void aMissingOrEmptyCatalogueListsNothingAndChooseDoesNothing()
    {
        QFETCH(bool, present);
        Road road;
        if (present)
            road.fakes.recordFiles.setFile(IndexPath, {});
        loadStartScreen(road.window);
        QCOMPARE(road.control<QListWidget>("examselect", "List1")->count(), 0);
        QTest::mouseClick(road.control<QPushButton>("examselect", "Command1"), Qt::LeftButton);
        flushDeletes();
        QVERIFY(road.window.findChild<QWidget*>("examselect"));
        QVERIFY(!road.window.findChild<QWidget*>("questionselect"));
        QCOMPARE(road.fakes.recordFiles.exists(IndexPath), present);
        QVERIFY(road.fakes.messages.shown.empty());
    }

    void aMissingDataDirectoryIsNamedInAMessage()
    {
        Road road;
        road.fakes.recordFiles.addDirectory(QStringLiteral("/elsewhere"));
        loadStartScreen(road.window);
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY(road.fakes.messages.shown[0].prompt.contains(QStringLiteral("/quizmark/dat/")));
        QCOMPARE(road.control<QListWidget>("examselect", "List1")->count(), 0);
        QVERIFY(!road.fakes.recordFiles.exists(IndexPath));
    }

    void anUnreadableCatalogueIsNamedWithItsReasonAndListsNothing_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("a folder named index.dat") << platform::ErrorNumber::PathFileAccessError;
        QTest::newRow("no read permission") << platform::ErrorNumber::PermissionDenied;
        QTest::newRow("a device error") << platform::ErrorNumber::DeviceIoError;
    }

    void anUnreadableCatalogueIsNamedWithItsReasonAndListsNothing()
    {
        QFETCH(int, error);
        Road road;
        road.fakes.recordFiles.setOpenError(IndexPath, error);
        loadStartScreen(road.window);
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        const QString prompt = road.fakes.messages.shown[0].prompt;
        QVERIFY2(prompt.contains(IndexPath), qPrintable(prompt));
        QVERIFY2(prompt.contains(platform::RuntimeError::standardMessage(error)), qPrintable(prompt));
        QCOMPARE(road.control<QListWidget>("examselect", "List1")->count(), 0);
        QTest::mouseClick(road.control<QPushButton>("examselect", "Command1"), Qt::LeftButton);
        flushDeletes();
        QVERIFY(!road.window.findChild<QWidget*>("questionselect"));
    }

    void aCatalogueTooLongToCountListsItsFirst32767()
    {
        Road road;
        QByteArray bytes = catalogue({ { "First", 3 } });
        bytes += QByteArray(32766 * CatalogueRecord::Length, ' ') + catalogue({ { "Beyond", 3 } });
        road.fakes.recordFiles.setFile(IndexPath, bytes);
        loadStartScreen(road.window);
        auto* list = road.control<QListWidget>("examselect", "List1");
        QCOMPARE(list->count(), 32767);
        QCOMPARE(list->item(0)->text(), padded("First", 25));
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY(road.fakes.messages.shown[0].prompt.contains("32,767"));
    }

    void anExamWithoutQuestionsIsRefusedAndTheSelectionStays_data()
    {
        QTest::addColumn<int>("total");
        QTest::newRow("no questions") << 0;
        QTest::newRow("a negative total") << -1;
        QTest::newRow("the most negative total") << -32768;
    }

    void anExamWithoutQuestionsIsRefusedAndTheSelectionStays()
    {
        QFETCH(int, total);
        Road road;
        road.window.show();
        road.setUp(total);
        QCOMPARE(road.fakes.messages.shown.size(), std::size_t(1));
        QVERIFY2(road.fakes.messages.shown[0].prompt.contains("Beta"), qPrintable(road.fakes.messages.shown[0].prompt));
        QVERIFY(!road.window.findChild<QWidget*>("questionselect"));
        auto* list = road.control<QListWidget>("examselect", "List1");
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->currentRow(), 1);
        QVERIFY(road.fakes.files.isOpen(FileNumber::Catalogue));

        list->setCurrentRow(0);
        QTest::mouseClick(road.control<QPushButton>("examselect", "Command1"), Qt::LeftButton);
        flushDeletes();
        QCOMPARE(road.control<QLabel>("questionselect", "Label4")->text(), QStringLiteral("7"));
    }

    void aNumberTooLargeForTheRuntimeIsWipedAndTheProgramGoesOn_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("1e999") << "1e999";
        QTest::newRow("400 digits") << QString(400, u'7');
        QTest::newRow("beyond an Integer") << "99999";
    }

    void aNumberTooLargeForTheRuntimeIsWipedAndTheProgramGoesOn()
    {
        QFETCH(QString, pasted);
        Road road;
        road.setUp(20);
        auto* text = road.control<QLineEdit>("questionselect", "Text2");
        text->setText(pasted);
        QCOMPARE(text->text(), QString());
        QCOMPARE(road.control<QLabel>("questionselect", "Label6")->text(), QStringLiteral("0"));
        QTest::keyClicks(text, QStringLiteral("4"));
        QCOMPARE(road.control<QLabel>("questionselect", "Label6")->text(), QStringLiteral("4"));
    }

    void closingTheSetUpByItsFrameReturnsToTheSelection()
    {
        Road road;
        road.window.show();
        road.setUp(20);
        QPointer<QWidget> setUp = road.window.findChild<QWidget*>("questionselect");
        road.window.subWindowOf(setUp)->close();
        flushDeletes();
        QVERIFY(!setUp);
        auto* list = road.control<QListWidget>("examselect", "List1");
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->count(), 2);
        QVERIFY(road.fakes.files.isOpen(FileNumber::Catalogue));
    }

    void closingTheSelectionByItsFrameEndsTheProgram()
    {
        Road road;
        bool ended = false;
        road.window.setEndHandler([&] { ended = true; });
        road.fakes.recordFiles.setFile(IndexPath, catalogue({ { "Alpha", 7 } }));
        loadStartScreen(road.window);
        road.window.subWindowOf(road.window.findChild<QWidget*>("examselect"))->close();
        QVERIFY(ended);
    }

    void aCatalogueOnDiskIsUsedOnlyInsideTheDataDirectory_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a link outside") << "outside"
                                        << "outside the data directory";
        QTest::newRow("a named pipe") << "pipe"
                                      << "not a regular file";
        QTest::newRow("a folder") << "folder"
                                  << "Path/File access error";
    }

    void aCatalogueOnDiskIsUsedOnlyInsideTheDataDirectory()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir(QStringLiteral("dat")));
        const QString index = program.filePath(QStringLiteral("dat/index.dat"));
        if (kind == "outside") {
            QFile outside(program.filePath(QStringLiteral("elsewhere.dat")));
            QVERIFY(outside.open(QIODevice::WriteOnly));
            outside.write(catalogue({ { "Hidden", 3 } }));
            outside.close();
            QVERIFY(QFile::link(outside.fileName(), index));
        } else if (kind == "pipe") {
            QVERIFY(QProcess::execute(QStringLiteral("mkfifo"), { index }) == 0);
        } else {
            QVERIFY(QDir().mkdir(index));
        }
        testing_support::FakeServices fakes(program.path());
        platform::DiskRecordFileSystem disk;
        platform::FileTable files(disk);
        platform::Services services{
            files,      fakes.settings, fakes.messages, fakes.random, fakes.web, fakes.programs, fakes.programDirectory,
            fakes.wait, fakes.printer,  fakes.registry, fakes.clock
        };
        MDIForm1 window(services);
        registerScreens(window);
        loadStartScreen(window);
        QCOMPARE(fakes.messages.shown.size(), std::size_t(1));
        QVERIFY2(fakes.messages.shown[0].prompt.contains(reason), qPrintable(fakes.messages.shown[0].prompt));
        QCOMPARE(window.findChild<QListWidget*>("List1")->count(), 0);
        QVERIFY(!files.isOpen(FileNumber::Catalogue));
    }

    void typingIsWipedOrKept_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("minutes");
        QTest::newRow("5") << 20 << "5"
                           << "5"
                           << "5";
        QTest::newRow("25") << 20 << "25"
                            << ""
                            << "0";
        QTest::newRow("20") << 20 << "20"
                            << "20"
                            << "20";
        QTest::newRow("20.4") << 20 << "20.4"
                              << ""
                              << "0";
        QTest::newRow("0") << 20 << "0"
                           << ""
                           << "0";
        QTest::newRow("letter") << 20 << "x"
                                << ""
                                << "0";
        QTest::newRow("blank") << 20 << " "
                               << ""
                               << "0";
        QTest::newRow("12abc") << 20 << "12abc"
                               << "12abc"
                               << "12";
        QTest::newRow("2.5") << 20 << "2.5"
                             << "2.5"
                             << "2";
        QTest::newRow("3.5") << 20 << "3.5"
                             << "3.5"
                             << "4";
        QTest::newRow("minus first") << 20 << "-3"
                                     << "3"
                                     << "3";
        QTest::newRow("more minutes than an attempt holds") << 1200 << "547"
                                                            << ""
                                                            << "0";
    }

    void typingIsWipedOrKept()
    {
        QFETCH(int, total);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, minutes);
        Road road;
        road.setUp(total);
        auto* text = road.control<QLineEdit>("questionselect", "Text2");
        QTest::keyClicks(text, typed);
        QCOMPARE(text->text(), kept);
        QCOMPARE(road.control<QLabel>("questionselect", "Label6")->text(), minutes);
    }

    void startExamHandsOverTheNumberAndTheMinutes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("questions");
        QTest::newRow("5") << "5" << 5;
        QTest::newRow("12abc") << "12abc" << 12;
        QTest::newRow("2.5") << "2.5" << 2;
        QTest::newRow("3.5") << "3.5" << 4;
    }

    void startExamHandsOverTheNumberAndTheMinutes()
    {
        QFETCH(QString, typed);
        QFETCH(int, questions);
        Road road;
        road.setUp(20);
        Module1.CurrentQuestion = 9;
        QTest::keyClicks(road.control<QLineEdit>("questionselect", "Text2"), typed);
        QTest::mouseClick(road.control<QPushButton>("questionselect", "Command1"), Qt::LeftButton);
        flushDeletes();
        QCOMPARE(road.examsLoaded, 1);
        QCOMPARE(int(Module1.QuestionsToTake), questions);
        QCOMPARE(int(Module1.ExamMinutes), questions);
        QCOMPARE(Module1.CurrentQuestion, 1);
        QVERIFY(!road.fakes.files.isOpen(FileNumber::Catalogue));
        QVERIFY(!road.window.findChild<QWidget*>("questionselect"));
        QVERIFY(road.window.findChild<QWidget*>("exam"));
    }

    void startExamRefusesWhatGivesNoQuestion_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("minutes");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("pasted -3") << "-3"
                                   << "-3";
        QTest::newRow("pasted 0.4") << "0.4"
                                    << "0";
    }

    void startExamRefusesWhatGivesNoQuestion()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, minutes);
        Road road;
        road.setUp(20);
        Module1.QuestionsToTake = 7;
        auto* text = road.control<QLineEdit>("questionselect", "Text2");
        if (!pasted.isEmpty())
            text->insert(pasted);
        QCOMPARE(road.control<QLabel>("questionselect", "Label6")->text(), minutes);
        QTest::mouseClick(road.control<QPushButton>("questionselect", "Command1"), Qt::LeftButton);
        flushDeletes();
        QCOMPARE(road.examsLoaded, 0);
        QCOMPARE(Module1.QuestionsToTake, 7);
        QVERIFY(road.window.findChild<QWidget*>("questionselect"));
        QVERIFY(road.fakes.files.isOpen(FileNumber::Catalogue));
    }

    void theWholeBankChoiceIsRememberedAndHandedOn_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("tickedAtLoad");
        QTest::addColumn<bool>("clickBox");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<bool>("wholeBank");
        QTest::newRow("first start") << QString() << true << false << QString() << true;
        QTest::newRow("first start, unticked") << QString() << true << true << "False" << false;
        QTest::newRow("unticked before") << "False" << false << false << "False" << false;
        QTest::newRow("unticked before, ticked again") << "False" << false << true << "True" << true;
        QTest::newRow("ticked before") << "True" << true << false << "True" << true;
    }

    void theWholeBankChoiceIsRememberedAndHandedOn()
    {
        QFETCH(QString, stored);
        QFETCH(bool, tickedAtLoad);
        QFETCH(bool, clickBox);
        QFETCH(QString, saved);
        QFETCH(bool, wholeBank);
        const QString key = QStringLiteral("quizmark/settings/Draw From Whole Bank");
        Road road;
        if (!stored.isNull())
            road.fakes.settings.values.insert(key, stored);
        Module1.DrawFromWholeBank = !wholeBank;
        road.setUp(20);
        auto* box = road.control<QCheckBox>("questionselect", "wholeBankDraw");
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("&Draw from the whole bank"));
        QCOMPARE(box->isChecked(), tickedAtLoad);
        if (clickBox)
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QCOMPARE(road.fakes.settings.values.value(key), saved);
        QTest::keyClicks(road.control<QLineEdit>("questionselect", "Text2"), QStringLiteral("5"));
        QTest::mouseClick(road.control<QPushButton>("questionselect", "Command1"), Qt::LeftButton);
        flushDeletes();
        QCOMPARE(road.examsLoaded, 1);
        QCOMPARE(Module1.DrawFromWholeBank, wholeBank);
    }

    // Study mode stays as the candidate left it; Alt+W starts a weak-question practice under the
    // same count rule as Start Exam, and Start Exam never does.
    void studyModeIsRememberedAndAltWStartsAWeakPractice()
    {
        const QString key = QStringLiteral("quizmark/settings/Study Mode");
        {
            Road road;
            Module1.WeakPractice = true;
            road.setUp(20);
            auto* box = road.control<QCheckBox>("questionselect", "studyMode");
            QVERIFY(!box->isChecked());
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            QCOMPARE(road.fakes.settings.values.value(key), QStringLiteral("True"));
            QTest::keyClicks(road.control<QLineEdit>("questionselect", "Text2"), QStringLiteral("5"));
            QTest::mouseClick(road.control<QPushButton>("questionselect", "Command1"), Qt::LeftButton);
            flushDeletes();
            QCOMPARE(road.examsLoaded, 1);
            QVERIFY(Module1.StudyMode);
            QVERIFY(!Module1.WeakPractice);
        }
        Road road;
        road.fakes.settings.values.insert(key, QStringLiteral("True"));
        road.setUp(20);
        QVERIFY(road.control<QCheckBox>("questionselect", "studyMode")->isChecked());
        auto* weak = road.control<QPushButton>("questionselect", "practiceWeakQuestions");
        QCOMPARE(weak->text(), QStringLiteral("Practice &Weak Questions"));
        road.window.show();
        QApplication::setActiveWindow(&road.window);
        QVERIFY(QTest::qWaitForWindowActive(&road.window));
        // No number typed: nothing starts.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
        flushDeletes();
        QCOMPARE(road.examsLoaded, 0);
        QTest::keyClicks(road.control<QLineEdit>("questionselect", "Text2"), QStringLiteral("3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
        QTRY_COMPARE(road.examsLoaded, 1);
        QVERIFY(Module1.WeakPractice);
        QVERIFY(Module1.StudyMode);
        QCOMPARE(Module1.QuestionsToTake, 3);
    }
};

int main(int argc, char** argv)
{
    platform::RuntimeApplication application(argc, argv);
    AttemptSetupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "attemptsetup_test.moc"
