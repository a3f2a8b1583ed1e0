#include "data/scorerecord.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quizmark;

namespace {
constexpr int RecordsEach = 500;
}

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
};

QTEST_GUILESS_MAIN(ScoreHistoryStressTest)

#include "scorehistorystress_test.moc"
