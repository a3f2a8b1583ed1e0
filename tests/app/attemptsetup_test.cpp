#include "mdiform1.h"
#include "module1.h"
#include "startup.h"

#include "platform/runtimeapplication.h"
#include "support/fakeservices.h"
#include "support/screentesting.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
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

}

class AttemptSetupTest : public QObject {
    Q_OBJECT

    struct Road {
        testing_support::FakeServices fakes;
        MDIForm1 window { fakes.services() };
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
        QCOMPARE(road.control<QWidget>("examselect", "Label1")->property("text").toString(), QStringLiteral("Select An Exam"));

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
        QCOMPARE(road.window.findChild<QWidget*>("questionselect")->windowTitle(), QStringLiteral("Total Questions To Take "));
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

    void typingIsWipedOrKept_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("minutes");
        QTest::newRow("5") << 20 << "5" << "5" << "5";
        QTest::newRow("25") << 20 << "25" << "" << "0";
        QTest::newRow("20") << 20 << "20" << "20" << "20";
        QTest::newRow("20.4") << 20 << "20.4" << "" << "0";
        QTest::newRow("0") << 20 << "0" << "" << "0";
        QTest::newRow("letter") << 20 << "x" << "" << "0";
        QTest::newRow("blank") << 20 << " " << "" << "0";
        QTest::newRow("12abc") << 20 << "12abc" << "12abc" << "12";
        QTest::newRow("2.5") << 20 << "2.5" << "2.5" << "2";
        QTest::newRow("3.5") << 20 << "3.5" << "3.5" << "4";
        QTest::newRow("minus first") << 20 << "-3" << "3" << "3";
        QTest::newRow("more minutes than an attempt holds") << 1200 << "547" << "" << "0";
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
        QTest::newRow("empty") << "" << "";
        QTest::newRow("pasted -3") << "-3" << "-3";
        QTest::newRow("pasted 0.4") << "0.4" << "0";
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
};

int main(int argc, char** argv)
{
    platform::RuntimeApplication application(argc, argv);
    AttemptSetupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "attemptsetup_test.moc"
