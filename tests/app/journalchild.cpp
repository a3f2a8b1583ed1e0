// A program that journals one attempt, for tests that kill it or run beside it.
//   journalchild PATH churn SEED   begins an attempt, then makes change after change, printing each
//                                  number once it is committed, until it is killed
//   journalchild PATH hold         begins an attempt and waits to be killed
#include "attemptjournal.h"
#include "journalchanges.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

using namespace quizmark;

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 3)
        return 2;
    AttemptJournal journal(QString::fromLocal8Bit(argv[1]));
    const qint64 id = journal.begin(JournalChanges::start());
    if (id == 0) {
        std::fprintf(stderr, "%s\n", qPrintable(journal.problem()));
        return 1;
    }
    std::printf("begun %lld\n", static_cast<long long>(id));
    std::fflush(stdout);
    if (qstrcmp(argv[2], "hold") == 0) {
        for (;;)
            QThread::sleep(1);
    }
    for (long change = 1;; ++change) {
        if (!JournalChanges::apply(journal, id, change)) {
            std::fprintf(stderr, "%s\n", qPrintable(journal.problem()));
            return 1;
        }
        std::printf("%ld\n", change);
        std::fflush(stdout);
    }
}
