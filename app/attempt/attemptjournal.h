#pragma once

#include "journaledattempt.h"
#include "questionstatistics.h"

#include <QString>
#include <QVariantList>

#include <functional>
#include <initializer_list>

#include <map>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;
class QSqlDatabase;
class QSqlQuery;

namespace quizmark {

// The attempt journal, journal.db in the data directory: every attempt with its draw, the
// questions as asked, every tick, mark and move, its clock and its end. One SQLite database in WAL
// mode, each change one transaction; the screens call this class, never SQL.
class AttemptJournal
{
public:
    static constexpr auto FileName = "journal.db";
    static constexpr int SchemaVersion = 2;

    // The journal is opened, or created, at its first use, so that a program that never needs it
    // does not pay for it at start. A file that is no database, or a damaged one, is moved aside
    // (journal.db.damaged, then .damaged-2, ...) and a new journal started; any other failure
    // leaves the journal unusable, with problem() saying why.
    explicit AttemptJournal(QString path);
    ~AttemptJournal();
    AttemptJournal(const AttemptJournal&) = delete;
    AttemptJournal& operator=(const AttemptJournal&) = delete;

    const QString& path() const { return m_path; }
    bool isUsable();
    // Why the journal cannot keep anything: set when it could not be opened or a write failed.
    const QString& problem();
    // The problem, with a full stop, the first time it is asked for; empty after that and while
    // the journal works: a candidate is told once why answers are not kept.
    QString takeProblemToTell();
    // Where a damaged journal found at opening was moved; empty when none was.
    const QString& movedAside();

    // Writes a new running attempt whole and claims it for this process; 0 when it could not.
    qint64 begin(const AttemptStart& start);
    bool saveSelections(qint64 attempt, int position, const Selection& selection);
    bool saveMarked(qint64 attempt, int position, bool marked);
    // The completed flags of positions 1 to completed.size(), as the item review set them.
    bool saveCompleted(qint64 attempt, const std::vector<bool>& completed);
    bool savePosition(qint64 attempt, int position);
    // Study mode: the answer at the position was checked, and its ticks are locked.
    bool saveChecked(qint64 attempt, int position);
    bool saveClock(qint64 attempt, int secondsLeft, bool paused);
    bool finish(qint64 attempt, const AttemptEnd& end);
    // Kept, never scored, never offered again.
    bool abandon(qint64 attempt);

    // Running attempts that no running process holds, newest first; each one returned is claimed
    // by this process until released, so no other instance offers it.
    std::vector<qint64> claimUnheldRunning();
    void release(qint64 attempt);

    std::optional<JournaledAttempt> attempt(qint64 id);
    // Finished attempts at the exam of that number, newest first.
    std::vector<PastAttempt> finishedAttempts(int examNumber);
    // Every finished attempt, oldest first, for listings.
    std::vector<PastAttempt> allFinishedAttempts();
    // Each question's standing over the finished attempts that asked from the bank file of that
    // name, practice and study included.
    QuestionStatistics statistics(const QString& bankFile);

private:
    enum class OpenOutcome
    {
        Opened,
        Damaged,
        Failed
    };
    void ensureOpen();
    QSqlDatabase database();
    void open();
    OpenOutcome openDatabase();
    bool upgradeSchema(int version);
    static bool runAll(QSqlQuery& query, std::initializer_list<const char*> statements);
    static bool createVersion1(QSqlQuery& query);
    static bool upgradeToVersion2(QSqlQuery& query, const QSqlDatabase& database);
    bool finishWhole(qint64 attempt, const AttemptEnd& end);
    bool recordOutcomes(const QSqlDatabase& database, qint64 attempt, const AttemptEnd& end);
    void moveAside();
    bool fail(const QSqlQuery& query);
    bool change(const char* statement, const QVariantList& values);
    bool inTransaction(const std::function<bool(QSqlDatabase&)>& work);
    bool failTransaction(QSqlDatabase& database);
    bool run(QSqlQuery& query);
    bool claim(qint64 attempt);
    std::vector<PastAttempt> readPastAttempts(QSqlQuery& query);
    QString lockPath(qint64 attempt) const;

    QString m_path;
    QString m_connection;
    bool m_opened = false;
    bool m_usable = false;
    QString m_problem;
    QString m_movedAside;
    bool m_problemTold = false;
    std::map<qint64, std::unique_ptr<QLockFile>> m_claims;
};

} // namespace quizmark
