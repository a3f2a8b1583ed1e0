#include "data/scorerecord.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <QRandomGenerator>

#include <memory>

using namespace quizmark;

namespace {
constexpr int RecordsEach = 500;
constexpr int KilledRounds = 6;
constexpr int RecordsPerRound = 4000;
} // namespace

// Two programs finishing attempts at the same moment must both land every record.
class ScoreHistoryStressTest : public QObject
{
    Q_OBJECT

private slots:
    void twoProgramsAppendingAtOnceLoseNothing()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString history = folder.filePath(QStringLiteral("results.dat"));
        const QString go = folder.filePath(QStringLiteral("go"));
        const QString appender = QCoreApplication::applicationDirPath() + QStringLiteral("/scoreappender");

        std::unique_ptr<QProcess> programs[2];
        for (int exam = 1; exam <= 2; ++exam) {
            auto& program = programs[exam - 1];
            program = std::make_unique<QProcess>();
            program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            program->start(appender, { history, QString::number(RecordsEach), QString::number(exam), go });
            QVERIFY2(program->waitForStarted(), qPrintable(appender));
        }
        QFile start(go);
        QVERIFY(start.open(QIODevice::WriteOnly));
        start.close();
        for (auto& program : programs) {
            QVERIFY(program->waitForFinished(120000));
            QCOMPARE(program->exitStatus(), QProcess::NormalExit);
            QCOMPARE(program->exitCode(), 0);
        }

        QFile file(history);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 2 * RecordsEach * ScoreRecord::Length);
        int next[2] = { 1, 1 };
        for (qsizetype offset = 0; offset < bytes.size(); offset += ScoreRecord::Length) {
            const ScoreRecord record = ScoreRecord::fromBytes(bytes.mid(offset, ScoreRecord::Length));
            QVERIFY2(record.ExamNumber == 1 || record.ExamNumber == 2, qPrintable(QString::number(offset)));
            // Each program's records stand in the order it wrote them, none missing or torn.
            QCOMPARE(int(record.Score), next[record.ExamNumber - 1]++);
            QCOMPARE(int(record.MaximumScore), RecordsEach);
            QCOMPARE(record.Passed, ScoreRecord::True);
        }
        QCOMPARE(next[0], RecordsEach + 1);
        QCOMPARE(next[1], RecordsEach + 1);
    }

    // A program killed at any moment of an append leaves only whole records behind it, so every
    // record before the kill reads back as written and the next program appends after them.
    void aProgramKilledWhileAppendingLeavesOnlyWholeRecords()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString history = folder.filePath(QStringLiteral("results.dat"));
        const QString go = folder.filePath(QStringLiteral("go"));
        QFile start(go);
        QVERIFY(start.open(QIODevice::WriteOnly));
        start.close();
        const QString appender = QCoreApplication::applicationDirPath() + QStringLiteral("/scoreappender");

        for (int round = 1; round <= KilledRounds; ++round) {
            QProcess program;
            program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            program.start(appender, { history, QString::number(RecordsPerRound), QString::number(round), go });
            QVERIFY2(program.waitForStarted(), qPrintable(appender));
            QThread::msleep(QRandomGenerator::global()->bounded(30, 200));
            program.kill();
            QVERIFY(program.waitForFinished(10000));
        }

        QFile file(history);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size() % ScoreRecord::Length, 0);
        int exam = 1;
        int next = 1;
        for (qsizetype offset = 0; offset < bytes.size(); offset += ScoreRecord::Length) {
            const ScoreRecord record = ScoreRecord::fromBytes(bytes.mid(offset, ScoreRecord::Length));
            const QString where = QStringLiteral("record at byte %1").arg(offset);
            if (record.ExamNumber != exam) {
                QVERIFY2(record.ExamNumber > exam && record.ExamNumber <= KilledRounds, qPrintable(where));
                exam = record.ExamNumber;
                next = 1;
            }
            QVERIFY2(record.Score == next++, qPrintable(where));
            QCOMPARE(int(record.MaximumScore), RecordsPerRound);
            QCOMPARE(record.Passed, ScoreRecord::True);
        }
    }
};

QTEST_GUILESS_MAIN(ScoreHistoryStressTest)

#include "scorehistorystress_test.moc"
