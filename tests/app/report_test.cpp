#include "attempt/attemptreport.h"
#include "attempt/attemptscore.h"
#include "module1.h"

#include "data/questionrecord.h"
#include "platform/savefiledialog.h"
#include "platform/screenprinter.h"
#include "support/screentesting.h"

#include "support/specialfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace quizmark;
using testing_support::padded;

using testing_support::fullDevice;
using testing_support::PipeReader;

namespace {

QuestionRecord question(const QString& text, std::array<std::int16_t, 4> correct, const QString& explanation)
{
    QuestionRecord record;
    record.Question = padded(text, QuestionRecord::QuestionWidth);
    for (int k = 1; k <= 4; ++k)
        record.option(k)
            = padded(QStringLiteral("Choice %1 of %2").arg(k).arg(text.left(12)), QuestionRecord::OptionWidth);
    record.CorrectOptions = correct;
    record.Explanation = padded(explanation, QuestionRecord::ExplanationWidth);
    return record;
}

// The text of a PDF as a reader finds it when searching, one line per line of the page.
QString pdfText(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QStringLiteral("(pdftotext is missing: scripts/setup.sh installs poppler-utils)");
    QProcess process;
    process.start(tool, { QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-") });
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(pdftotext failed: %1)").arg(QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class ReportTest : public QObject
{
    Q_OBJECT

    // An attempt of the whole bank at "Networks <Core>": odd positions answered right, even ones left blank.
    static AttemptReport attempt(const QList<QuestionRecord>& bank, bool practice = false)
    {
        AttemptState state;
        state.CurrentExam.ExamName = padded(QStringLiteral("Networks <Core>"), CatalogueRecord::ExamNameWidth);
        state.QuestionsToTake = std::int16_t(bank.size());
        std::vector<QuestionRecord> questions;
        for (int p = 1; p <= bank.size(); ++p) {
            const QuestionRecord& record = bank[p - 1];
            state.QuestionOrder(p) = std::int16_t(p);
            state.CorrectCount(p) = record.correctCount();
            state.Selections(p, 1) = p % 2 == 1 ? record.correctOption(1) : std::int16_t(0);
            questions.push_back(record);
        }
        state.PracticeRetry = practice;
        AttemptScore score = AttemptScore::of(state, [&bank](std::int16_t n) { return bank[n - 1]; });
        return AttemptReport(state, score, questions, QDateTime(QDate(2026, 12, 8), QTime(17, 45)));
    }

private slots:
    void theReportIsSearchableTextOfEveryQuestion()
    {
        QList<QuestionRecord> bank;
        bank.append(question(QStringLiteral("Which <b>layer</b> carries frames & bits?"), { 2, 0, 0, 0 },
                             QStringLiteral("The link layer & the <i>physical</i> one.")));
        for (int n = 2; n <= 40; ++n)
            bank.append(question(QStringLiteral("Question number %1 about routing").arg(n), { 1, 0, 0, 0 },
                                 QStringLiteral("Explained once for question %1.").arg(n)));
        const AttemptReport report = attempt(bank);
        QTemporaryDir folder;
        const QString path = folder.filePath(report.fileName());
        QString failure;
        QVERIFY2(platform::QtScreenPrinter().saveDocumentAsPdf(*report.document(), path, failure), qPrintable(failure));

        const QString text = pdfText(path);
        // Lines as the reader lays them out; the page breaks put form feeds between pages.
        const QString joined = QString(text).replace(u'\f', u'\n');
        for (const QString& expected :
             { QStringLiteral("Networks <Core>"), QStringLiteral("Fail"),
               QStringLiteral("Your Score: 20 of 40 points (50 %)"), QStringLiteral("Minimum Passing Score: 28"),
               QStringLiteral("Maximum Score: 40"), QStringLiteral("Which <b>layer</b> carries frames & bits?"),
               QStringLiteral("The link layer & the <i>physical</i> one."), QStringLiteral("Question 1 of 40: Correct"),
               QStringLiteral("Question 40 of 40: Incorrect") })
            QVERIFY2(joined.contains(expected), qPrintable(expected + u'\n' + text.left(2000)));
        for (int n = 2; n <= 40; ++n) {
            QVERIFY2(joined.contains(QStringLiteral("Question number %1 about routing").arg(n)),
                     qPrintable(QString::number(n)));
            QVERIFY(joined.contains(QStringLiteral("Explained once for question %1.").arg(n)));
            QVERIFY(joined.contains(AttemptReport::positionLine(n, 40, n % 2 == 1)));
        }
        QVERIFY2(text.count(u'\f') >= 3, "forty questions take several pages");
        QVERIFY(!joined.contains(QStringLiteral("Practice retry")));
    }

    void aPracticeRetryIsSaidSo()
    {
        const AttemptReport report = attempt({ question(QStringLiteral("One"), { 1, 0, 0, 0 }, QString()) }, true);
        QVERIFY(report.document()->toPlainText().contains(
            QStringLiteral("Practice retry: not added to the score history.")));
    }

    // A report says which kind of practice it was, as the results did.
    void eachPracticeIsNamedAsTheResultsNameIt()
    {
        AttemptState state;
        QCOMPARE(AttemptReport::practiceNote(state), QString());
        state.PracticeRetry = true;
        QCOMPARE(AttemptReport::practiceNote(state), QStringLiteral("Practice retry: not added to the score history."));
        state.PracticeRetry = false;
        state.WeakPractice = true;
        QCOMPARE(AttemptReport::practiceNote(state),
                 QStringLiteral("Weak-question practice: not added to the score history."));
        state.StudyMode = true;
        QCOMPARE(AttemptReport::practiceNote(state), QStringLiteral("Study mode: not added to the score history."));
    }

    // The answer review's line: points only where some but not all were earned.
    void thePositionLineAddsPartialPoints_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("worth");
        QTest::addColumn<QString>("line");
        QTest::newRow("all") << 2 << 2 << QStringLiteral("Question 3 of 10: Correct");
        QTest::newRow("one of two") << 1 << 2 << QStringLiteral("Question 3 of 10: Incorrect (1 of 2 points)");
        QTest::newRow("two of three") << 2 << 3 << QStringLiteral("Question 3 of 10: Incorrect (2 of 3 points)");
        QTest::newRow("none") << 0 << 2 << QStringLiteral("Question 3 of 10: Incorrect");
        QTest::newRow("none of one") << 0 << 1 << QStringLiteral("Question 3 of 10: Incorrect");
        QTest::newRow("no correct option") << 0 << 0 << QStringLiteral("Question 3 of 10: Correct");
    }

    void thePositionLineAddsPartialPoints()
    {
        QFETCH(int, points);
        QFETCH(int, worth);
        QFETCH(QString, line);
        QCOMPARE(AttemptReport::positionLine(3, 10, std::int16_t(points), std::int16_t(worth)), line);
    }

    void theFileNameIsTheExamAndTheDate_data()
    {
        QTest::addColumn<QString>("exam");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Networks"
                               << "Networks 2026-12-08.pdf";
        QTest::newRow("characters no file name holds") << "TCP/IP: a*b?"
                                                       << "TCP-IP- a-b- 2026-12-08.pdf";
        QTest::newRow("no name") << ""
                                 << "Exam Result 2026-12-08.pdf";
    }

    void theFileNameIsTheExamAndTheDate()
    {
        QFETCH(QString, exam);
        QFETCH(QString, name);
        AttemptState state;
        state.CurrentExam.ExamName = padded(exam, CatalogueRecord::ExamNameWidth);
        const AttemptReport report(state, AttemptScore(), {}, QDateTime(QDate(2026, 12, 8), QTime(23, 59)));
        QCOMPARE(report.fileName(), name);
    }

    // What is typed in the save dialog is one file name, quotes and all; a name the folder cannot
    // hold is refused with the reason.
    void theSaveDialogTakesWhatIsTypedAsOneName()
    {
        struct Dialog : platform::SaveFileDialog
        {
            using SaveFileDialog::SaveFileDialog;
            void refuse(const QString& reason) override { refusals.append(reason); }
            bool confirmReplace(const QString&) override { return true; }
            QStringList refusals;
        };
        QTemporaryDir folder;
        for (const QString& typed : { QStringLiteral("q\"x\".pdf"), QStringLiteral("\"a\" \"b\""),
                                      QStringLiteral("plain.pdf"), QString(300, u'n') + QStringLiteral(".pdf") }) {
            Dialog dialog(nullptr, QStringLiteral("Save Report"), folder.filePath(QStringLiteral("Exam.pdf")),
                          QStringLiteral("PDF files (*.pdf)"));
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.show();
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(typed);
            dialog.accept();
            if (typed.size() > 255) {
                QCOMPARE(dialog.result(), int(QDialog::Rejected));
                QCOMPARE(dialog.refusals.size(), 1);
                QVERIFY2(dialog.refusals[0].contains(QStringLiteral("too long")), qPrintable(dialog.refusals[0]));
                continue;
            }
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.chosenPath(), folder.filePath(typed));
        }
    }

    void theReportGoesIntoAPipeInPlaceAndAFullDiskIsNamed()
    {
        QTemporaryDir folder;
        const AttemptReport report = attempt({ question(QStringLiteral("One"), { 1, 0, 0, 0 }, QString()) });
        const QString pipe = folder.filePath(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const PipeReader reader(pipe);
        QString failure;
        const bool saved = platform::QtScreenPrinter().saveDocumentAsPdf(*report.document(), pipe, failure);
        const QByteArray received = reader.received();
        QVERIFY2(saved, qPrintable(failure));
        QVERIFY2(!QFileInfo(pipe).isFile(), "the pipe was replaced by a file");
        QVERIFY(received.startsWith("%PDF"));
    }

    void aFullDiskIsNamed()
    {
        QTemporaryDir folder;
        const QString device = fullDevice(folder.path());
        const AttemptReport report = attempt({ question(QStringLiteral("One"), { 1, 0, 0, 0 }, QString()) });
        QString failure;
        QVERIFY(!platform::QtScreenPrinter().saveDocumentAsPdf(*report.document(), device, failure));
        QCOMPARE(failure, QStringLiteral("cannot write %1: No space left on device").arg(device));
    }

    void aFileThatCannotBeWrittenIsReported()
    {
        QTemporaryDir folder;
        const AttemptReport report = attempt({ question(QStringLiteral("One"), { 1, 0, 0, 0 }, QString()) });
        const QString inMissingFolder = folder.filePath(QStringLiteral("missing/report.pdf"));
        QString failure;
        QVERIFY(!platform::QtScreenPrinter().saveDocumentAsPdf(*report.document(), inMissingFolder, failure));
        QVERIFY2(failure.startsWith(QStringLiteral("cannot write ") + inMissingFolder + QStringLiteral(": ")),
                 qPrintable(failure));
        QVERIFY(!QFile::exists(inMissingFolder));
    }
};

QTEST_MAIN(ReportTest)

#include "report_test.moc"
