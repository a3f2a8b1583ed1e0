// Appends score records to a score history the way the results screen does: one open, append and
// close per record. Used by the stress test, which starts two of these at once.
//   scoreappender <results.dat> <count> <exam number> <go file>
// It waits until <go file> exists, so that both programs append at the same time.

#include "data/scorerecord.h"
#include "platform/diskrecordfilesystem.h"
#include "platform/runtimeerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 5) {
        std::fprintf(stderr, "usage: scoreappender <results.dat> <count> <exam number> <go file>\n");
        return 2;
    }
    const QString path = arguments[1];
    const int count = arguments[2].toInt();
    const auto exam = static_cast<std::int16_t>(arguments[3].toInt());
    while (!QFile::exists(arguments[4]))
        QThread::msleep(1);

    platform::DiskRecordFileSystem disk;
    try {
        for (int i = 1; i <= count; ++i) {
            auto file = disk.open(path, quizmark::ScoreRecord::Length, platform::RecordAccess::ReadWrite);
            quizmark::ScoreRecord record;
            record.ExamNumber = exam;
            record.MaximumScore = static_cast<std::int16_t>(count);
            record.Score = static_cast<std::int16_t>(i);
            record.Passed = quizmark::ScoreRecord::True;
            quizmark::ScoreRecord::append(*file, record);
        }
    } catch (const platform::RuntimeError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
