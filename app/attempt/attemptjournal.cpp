#include "attemptjournal.h"

#include "bankfilepath.h"
#include "questionstatistics.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <utility>

namespace quizmark {

namespace {

// SQLite's result codes for a file that is no database or a damaged one.
const QString SqliteCorrupt = QStringLiteral("11");
const QString SqliteNotADatabase = QStringLiteral("26");
// How long a write waits for another instance's transaction before the journal gives up on it.
constexpr auto BusyTimeoutOption = "QSQLITE_BUSY_TIMEOUT=2000";

constexpr auto CreateAttemptTable = R"(
CREATE TABLE attempt (
    id INTEGER PRIMARY KEY,
    exam_number INTEGER NOT NULL,
    exam BLOB NOT NULL,
    kind INTEGER NOT NULL,
    started INTEGER NOT NULL,
    exam_seconds INTEGER NOT NULL,
    status INTEGER NOT NULL,
    position INTEGER NOT NULL,
    seconds_left INTEGER NOT NULL,
    paused INTEGER NOT NULL DEFAULT 0,
    score INTEGER,
    maximum_score INTEGER,
    pass_mark REAL,
    passed INTEGER,
    ended INTEGER,
    seconds_used INTEGER,
    time_ran_out INTEGER,
    score_record INTEGER
))";
constexpr auto CreateAskedTable = R"(
CREATE TABLE asked (
    attempt INTEGER NOT NULL REFERENCES attempt(id),
    position INTEGER NOT NULL,
    record_number INTEGER NOT NULL,
    record BLOB NOT NULL,
    selection1 INTEGER NOT NULL DEFAULT 0,
    selection2 INTEGER NOT NULL DEFAULT 0,
    selection3 INTEGER NOT NULL DEFAULT 0,
    selection4 INTEGER NOT NULL DEFAULT 0,
    completed INTEGER NOT NULL DEFAULT 0,
    marked INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (attempt, position)
) WITHOUT ROWID)";
constexpr auto CreateExamIndex = "CREATE INDEX attempt_by_exam ON attempt (exam_number, status)";

// Version 2: the study flag and the bank of each attempt; the fingerprint, domain and check of each
// question asked; and the outcome of each question of a finished attempt, which the statistics
// read without touching the 2 KB each asked row holds.
constexpr auto AddBankColumn = "ALTER TABLE attempt ADD COLUMN bank TEXT NOT NULL DEFAULT ''";
constexpr auto AddStudyColumn = "ALTER TABLE attempt ADD COLUMN study INTEGER NOT NULL DEFAULT 0";
constexpr auto AddFingerprintColumn = "ALTER TABLE asked ADD COLUMN fingerprint INTEGER NOT NULL DEFAULT 0";
constexpr auto AddDomainColumn = "ALTER TABLE asked ADD COLUMN domain TEXT NOT NULL DEFAULT ''";
constexpr auto AddCheckedColumn = "ALTER TABLE asked ADD COLUMN checked INTEGER NOT NULL DEFAULT 0";
constexpr auto CreateOutcomeTable = R"(
CREATE TABLE outcome (
    bank TEXT NOT NULL,
    record_number INTEGER NOT NULL,
    fingerprint INTEGER NOT NULL,
    ended INTEGER NOT NULL,
    attempt INTEGER NOT NULL REFERENCES attempt(id),
    position INTEGER NOT NULL,
    fully_right INTEGER NOT NULL,
    right_since_miss INTEGER NOT NULL,
    PRIMARY KEY (bank, record_number, fingerprint, ended, attempt, position)
) WITHOUT ROWID)";
constexpr auto SelectAttemptsToUpgrade = "SELECT id, exam, status, ended FROM attempt ORDER BY ended, id";
constexpr auto UpdateBank = "UPDATE attempt SET bank = ? WHERE id = ?";
constexpr auto SelectAskedToUpgrade = R"(
SELECT position, record_number, record, selection1, selection2, selection3, selection4
FROM asked WHERE attempt = ? ORDER BY position)";
constexpr auto UpdateFingerprint = "UPDATE asked SET fingerprint = ? WHERE attempt = ? AND position = ?";
constexpr auto SelectBankOfAttempt = "SELECT bank FROM attempt WHERE id = ?";
constexpr auto SelectAskedOfAttempt
    = "SELECT position, record_number, fingerprint FROM asked WHERE attempt = ? ORDER BY position";
constexpr auto SelectLastRightSinceMiss = R"(
SELECT right_since_miss FROM outcome WHERE bank = ? AND record_number = ? AND fingerprint = ?
ORDER BY ended DESC, attempt DESC, position DESC LIMIT 1)";
constexpr auto InsertOutcome = "INSERT INTO outcome VALUES (?, ?, ?, ?, ?, ?, ?, ?)";

constexpr auto InsertAttempt = R"(
INSERT INTO attempt (exam_number, exam, kind, started, exam_seconds, status, position, seconds_left, bank, study)
VALUES (?, ?, ?, ?, ?, 0, 1, ?, ?, ?))";
constexpr auto InsertAsked = R"(
INSERT INTO asked (attempt, position, record_number, record, selection1, selection2, selection3, selection4,
                   completed, marked, checked, domain, fingerprint)
VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))";
constexpr auto UpdateSelection = R"(
UPDATE asked SET selection1 = ?, selection2 = ?, selection3 = ?, selection4 = ? WHERE attempt = ? AND position = ?)";
constexpr auto UpdateMarked = "UPDATE asked SET marked = ? WHERE attempt = ? AND position = ?";
constexpr auto UpdateCompleted = "UPDATE asked SET completed = ? WHERE attempt = ? AND position = ?";
constexpr auto UpdateChecked = "UPDATE asked SET checked = 1 WHERE attempt = ? AND position = ?";
constexpr auto UpdatePosition = "UPDATE attempt SET position = ? WHERE id = ? AND status = 0";
constexpr auto UpdateClock = "UPDATE attempt SET seconds_left = ?, paused = ? WHERE id = ? AND status = 0";
constexpr auto UpdateFinished = R"(
UPDATE attempt SET status = 1, score = ?, maximum_score = ?, pass_mark = ?, passed = ?, ended = ?,
                   seconds_used = exam_seconds - seconds_left, time_ran_out = ?, score_record = ?
WHERE id = ? AND status = 0)";
constexpr auto UpdateAbandoned = "UPDATE attempt SET status = 2 WHERE id = ? AND status = 0";
constexpr auto SelectRunning = "SELECT id FROM attempt WHERE status = 0 ORDER BY id DESC";
constexpr auto SelectAttempt = R"(
SELECT exam_number, exam, kind, started, exam_seconds, status, position, seconds_left, paused, score, maximum_score,
       pass_mark, passed, ended, seconds_used, time_ran_out, score_record, study
FROM attempt WHERE id = ?)";
constexpr auto SelectAsked = R"(
SELECT record_number, record, selection1, selection2, selection3, selection4, completed, marked, checked, domain
FROM asked WHERE attempt = ? ORDER BY position)";
constexpr auto SelectFinishedOfExam = R"(
SELECT id, kind, ended, score, maximum_score, passed, score_record, study
FROM attempt WHERE exam_number = ? AND status = 1 ORDER BY ended DESC, id DESC)";
constexpr auto SelectAllFinished = R"(
SELECT id, exam_number, exam, kind, ended, score, maximum_score, pass_mark, passed, seconds_used, time_ran_out,
       score_record, study
FROM attempt WHERE status = 1 ORDER BY id)";
// Each question's record in one pass over the outcomes: how often seen and right, when last seen,
// and, from that last answer, how many answers were right since its last miss.
constexpr auto SelectStandingsOfBank = R"(
SELECT record_number, fingerprint, count(*), sum(fully_right), max(ended), right_since_miss
FROM outcome WHERE bank = ? GROUP BY record_number, fingerprint)";

QString connectionName()
{
    static QAtomicInteger<int> next;
    return QStringLiteral("quizmark-journal-%1").arg(next.fetchAndAddRelaxed(1));
}

// Times are kept as milliseconds since 1970 UTC: exact, and read back without parsing.
qint64 utcMilliseconds(const QDateTime& time)
{
    return time.toMSecsSinceEpoch();
}

QDateTime fromUtcMilliseconds(const QVariant& milliseconds)
{
    return QDateTime::fromMSecsSinceEpoch(milliseconds.toLongLong(), Qt::UTC);
}

// Qt binds a null text as NULL; the journal's text columns hold an empty text instead.
QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

AttemptEnd endFrom(const QSqlQuery& query, int first)
{
    AttemptEnd end;
    end.score = static_cast<std::int16_t>(query.value(first).toInt());
    end.maximumScore = static_cast<std::int16_t>(query.value(first + 1).toInt());
    end.passMark = query.value(first + 2).toFloat();
    end.passed = query.value(first + 3).toBool();
    end.ended = fromUtcMilliseconds(query.value(first + 4));
    end.secondsUsed = query.value(first + 5).toInt();
    end.timeRanOut = query.value(first + 6).toBool();
    end.scoreRecord = query.value(first + 7).toLongLong();
    return end;
}

// Adds the outcomes of a finished attempt's questions, each carrying on the count of answers right
// since the question's last miss: attempts must come in the order they ended.
class OutcomeRecorder
{
public:
    explicit OutcomeRecorder(const QSqlDatabase& database)
        : m_last(database)
        , m_insert(database)
    {
        m_prepared = m_last.prepare(QString::fromLatin1(SelectLastRightSinceMiss))
            && m_insert.prepare(QString::fromLatin1(InsertOutcome));
    }

    bool add(const QString& bank, const QVariant& recordNumber, qint64 fingerprint, qint64 ended, qint64 attempt,
             int position, bool fullyRight)
    {
        if (!m_prepared)
            return false;
        for (const QVariant& value : QVariantList{ bank, recordNumber, fingerprint })
            m_last.addBindValue(value);
        if (!m_last.exec())
            return false;
        const int before = m_last.next() ? m_last.value(0).toInt() : 0;
        m_last.finish();
        const int rightSinceMiss = fullyRight ? before + 1 : 0;
        for (const QVariant& value :
             QVariantList{ bank, recordNumber, fingerprint, ended, attempt, position, fullyRight, rightSinceMiss })
            m_insert.addBindValue(value);
        return m_insert.exec();
    }

    const QSqlQuery& failed() const { return m_insert.lastError().isValid() ? m_insert : m_last; }

private:
    QSqlQuery m_last;
    QSqlQuery m_insert;
    bool m_prepared = false;
};

} // namespace

AttemptJournal::AttemptJournal(QString path)
    : m_path(std::move(path))
    , m_connection(connectionName())
{
}

void AttemptJournal::ensureOpen()
{
    if (m_opened)
        return;
    m_opened = true;
    open();
}

bool AttemptJournal::isUsable()
{
    ensureOpen();
    return m_usable;
}

const QString& AttemptJournal::problem()
{
    ensureOpen();
    return m_problem;
}

const QString& AttemptJournal::movedAside()
{
    ensureOpen();
    return m_movedAside;
}

QSqlDatabase AttemptJournal::database()
{
    ensureOpen();
    return QSqlDatabase::database(m_connection, false);
}

void AttemptJournal::open()
{
    const BankFilePath target = BankFilePath::inFolderOf(m_path);
    if (!target.isSafe()) {
        m_problem = target.problem();
        return;
    }
    switch (openDatabase()) {
    case OpenOutcome::Opened:
        m_usable = true;
        return;
    case OpenOutcome::Failed:
        return;
    case OpenOutcome::Damaged:
        moveAside();
        if (m_movedAside.isEmpty())
            return;
        m_problem.clear();
        m_usable = openDatabase() == OpenOutcome::Opened;
        return;
    }
}

AttemptJournal::~AttemptJournal()
{
    m_claims.clear();
    {
        QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        if (database.isValid())
            database.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QString AttemptJournal::takeProblemToTell()
{
    ensureOpen();
    if (m_usable || m_problemTold)
        return {};
    m_problemTold = true;
    QString reason = m_problem.isEmpty() ? QStringLiteral("the journal cannot be written") : m_problem;
    if (!reason.endsWith(u'.'))
        reason += u'.';
    return reason;
}

AttemptJournal::OpenOutcome AttemptJournal::openDatabase()
{
    {
        QSqlDatabase old = QSqlDatabase::database(m_connection, false);
        if (old.isValid())
            old.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!database.isValid()) {
        m_problem = QStringLiteral("the SQLite driver of Qt is not installed");
        return OpenOutcome::Failed;
    }
    database.setDatabaseName(m_path);
    database.setConnectOptions(QString::fromLatin1(BusyTimeoutOption));
    if (!database.open()) {
        m_problem = database.lastError().text();
        return OpenOutcome::Failed;
    }
    QSqlQuery query(database);
    // The first statement reads the file's header: a file that is no database fails here.
    if (!query.exec(QStringLiteral("PRAGMA user_version"))) {
        const QString code = query.lastError().nativeErrorCode();
        m_problem = query.lastError().databaseText();
        return code == SqliteCorrupt || code == SqliteNotADatabase ? OpenOutcome::Damaged : OpenOutcome::Failed;
    }
    const int version = query.next() ? query.value(0).toInt() : 0;
    query.finish();
    // WAL with NORMAL syncing: a commit survives a crash or a kill of the program at once; only a
    // power cut may lose the last seconds of changes, never the database's consistency.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL"))
        || !query.exec(QStringLiteral("PRAGMA synchronous = NORMAL"))
        || !query.exec(QStringLiteral("PRAGMA foreign_keys = ON"))) {
        m_problem = query.lastError().databaseText();
        return OpenOutcome::Failed;
    }
    query.finish();
    if (version > SchemaVersion) {
        m_problem = QStringLiteral("the journal was written by a later version of the program");
        return OpenOutcome::Failed;
    }
    if (!upgradeSchema(version))
        return OpenOutcome::Failed;
    // Reading every attempt's row finds a damaged table before an attempt relies on it.
    if (!query.exec(QStringLiteral("SELECT count(*), sum(status) FROM attempt"))) {
        const QString code = query.lastError().nativeErrorCode();
        m_problem = query.lastError().databaseText();
        return code == SqliteCorrupt || code == SqliteNotADatabase ? OpenOutcome::Damaged : OpenOutcome::Failed;
    }
    return OpenOutcome::Opened;
}

// Each version adds one step to the one before, all in one transaction: a journal is upgraded
// whole or left as it was.
bool AttemptJournal::upgradeSchema(int version)
{
    if (version == SchemaVersion)
        return true;
    QSqlDatabase database = QSqlDatabase::database(m_connection, false);
    if (!database.transaction()) {
        m_problem = database.lastError().databaseText();
        return false;
    }
    QSqlQuery query(database);
    const bool upgraded = (version >= 1 || createVersion1(query))
        && (version >= 2 || upgradeToVersion2(query, database))
        && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
    if (!upgraded || !database.commit()) {
        m_problem
            = query.lastError().isValid() ? query.lastError().databaseText() : database.lastError().databaseText();
        database.rollback();
        return false;
    }
    return true;
}

bool AttemptJournal::runAll(QSqlQuery& query, std::initializer_list<const char*> statements)
{
    for (const char* statement : statements)
        if (!query.exec(QString::fromLatin1(statement)))
            return false;
    return true;
}

bool AttemptJournal::createVersion1(QSqlQuery& query)
{
    return runAll(query, { CreateAttemptTable, CreateAskedTable, CreateExamIndex });
}

// The attempts kept before carry their bank in their catalogue record and their answers in their
// questions as asked: the new columns and the outcomes of the finished ones are made from those.
bool AttemptJournal::upgradeToVersion2(QSqlQuery& query, const QSqlDatabase& database)
{
    if (!runAll(query,
                { AddBankColumn, AddStudyColumn, AddFingerprintColumn, AddDomainColumn, AddCheckedColumn,
                  CreateOutcomeTable }))
        return false;
    QSqlQuery update(database);
    QSqlQuery asked(database);
    QSqlQuery fingerprint(database);
    OutcomeRecorder outcomes(database);
    if (!query.exec(QString::fromLatin1(SelectAttemptsToUpgrade)) || !update.prepare(QString::fromLatin1(UpdateBank))
        || !asked.prepare(QString::fromLatin1(SelectAskedToUpgrade))
        || !fingerprint.prepare(QString::fromLatin1(UpdateFingerprint)))
        return false;
    while (query.next()) {
        const qint64 attempt = query.value(0).toLongLong();
        const QString bank = CatalogueRecord::fromBytes(query.value(1).toByteArray()).bankFileName();
        const bool finished = query.value(2).toInt() == int(AttemptStatus::Finished);
        update.addBindValue(bank);
        update.addBindValue(attempt);
        asked.addBindValue(attempt);
        if (!update.exec() || !asked.exec())
            return false;
        while (asked.next()) {
            AskedQuestion question;
            question.record = asked.value(2).toByteArray();
            for (int slot = 0; slot < 4; ++slot)
                question.selection[std::size_t(slot)] = static_cast<std::int16_t>(asked.value(3 + slot).toInt());
            const auto print = qint64(QuestionStatistics::fingerprint(question.record));
            const int position = asked.value(0).toInt();
            for (const QVariant& value : QVariantList{ print, attempt, position })
                fingerprint.addBindValue(value);
            if (!fingerprint.exec())
                return false;
            if (finished
                && !outcomes.add(bank, asked.value(1), print, query.value(3).toLongLong(), attempt, position,
                                 question.answeredFully()))
                return false;
        }
    }
    return true;
}

// The damaged file and its companions keep their contents under a new name; nothing is overwritten.
void AttemptJournal::moveAside()
{
    {
        QSqlDatabase database = QSqlDatabase::database(m_connection, false);
        if (database.isValid())
            database.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    QString target = m_path + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(target) || QFileInfo::exists(target + QStringLiteral("-wal")); ++n)
        target = m_path + QStringLiteral(".damaged-%1").arg(n);
    if (!QFile::rename(m_path, target)) {
        m_problem = QStringLiteral("%1 is damaged and could not be moved aside").arg(m_path);
        return;
    }
    for (const auto* suffix : { "-wal", "-shm" })
        if (QFileInfo::exists(m_path + QLatin1String(suffix)))
            QFile::rename(m_path + QLatin1String(suffix), target + QLatin1String(suffix));
    m_movedAside = target;
}

bool AttemptJournal::fail(const QSqlQuery& query)
{
    m_problem = query.lastError().databaseText();
    if (m_problem.isEmpty())
        m_problem = query.lastError().text();
    m_usable = false;
    return false;
}

bool AttemptJournal::run(QSqlQuery& query)
{
    ensureOpen();
    if (!m_usable)
        return false;
    if (!query.exec())
        return fail(query);
    return true;
}

qint64 AttemptJournal::begin(const AttemptStart& start)
{
    ensureOpen();
    if (!m_usable)
        return 0;
    QSqlDatabase database = this->database();
    if (!database.transaction()) {
        failTransaction(database);
        return 0;
    }
    QSqlQuery attempt(database);
    attempt.prepare(QString::fromLatin1(InsertAttempt));
    attempt.addBindValue(start.examNumber);
    attempt.addBindValue(start.exam.toBytes());
    attempt.addBindValue(int(start.kind));
    attempt.addBindValue(utcMilliseconds(start.started));
    attempt.addBindValue(start.examSeconds);
    attempt.addBindValue(start.examSeconds);
    attempt.addBindValue(notNull(start.exam.bankFileName()));
    attempt.addBindValue(start.study);
    if (!run(attempt)) {
        database.rollback();
        return 0;
    }
    const qint64 id = attempt.lastInsertId().toLongLong();
    QSqlQuery asked(database);
    asked.prepare(QString::fromLatin1(InsertAsked));
    for (std::size_t i = 0; i < start.questions.size(); ++i) {
        const AskedQuestion& question = start.questions[i];
        asked.addBindValue(id);
        asked.addBindValue(int(i + 1));
        asked.addBindValue(question.recordNumber);
        asked.addBindValue(question.record);
        for (std::int16_t option : question.selection)
            asked.addBindValue(option);
        asked.addBindValue(question.completed);
        asked.addBindValue(question.marked);
        asked.addBindValue(question.checked);
        asked.addBindValue(notNull(question.domain));
        asked.addBindValue(qint64(QuestionStatistics::fingerprint(question.record)));
        if (!run(asked)) {
            database.rollback();
            return 0;
        }
    }
    // Claimed before it is committed: no other instance ever sees it unheld.
    if (!claim(id) || !database.commit()) {
        failTransaction(database);
        release(id);
        return 0;
    }
    return id;
}

// One statement, its own transaction: the change is kept whole or not at all.
bool AttemptJournal::change(const char* statement, const QVariantList& values)
{
    QSqlQuery query(database());
    query.prepare(QString::fromLatin1(statement));
    for (const QVariant& value : values)
        query.addBindValue(value);
    return run(query);
}

// The work is kept whole when it succeeds and rolled back when it fails.
bool AttemptJournal::inTransaction(const std::function<bool(QSqlDatabase&)>& work)
{
    ensureOpen();
    if (!m_usable)
        return false;
    QSqlDatabase database = this->database();
    if (!database.transaction())
        return failTransaction(database);
    if (!work(database)) {
        database.rollback();
        return false;
    }
    return database.commit() || failTransaction(database);
}

// A transaction that cannot start or end leaves the journal unusable, with the reason.
bool AttemptJournal::failTransaction(QSqlDatabase& database)
{
    if (m_usable) {
        m_problem = database.lastError().databaseText();
        m_usable = false;
    }
    database.rollback();
    return false;
}

bool AttemptJournal::saveSelections(qint64 attempt, int position, const Selection& selection)
{
    return change(UpdateSelection, { selection[0], selection[1], selection[2], selection[3], attempt, position });
}

bool AttemptJournal::saveMarked(qint64 attempt, int position, bool marked)
{
    return change(UpdateMarked, { marked, attempt, position });
}

bool AttemptJournal::saveCompleted(qint64 attempt, const std::vector<bool>& completed)
{
    return inTransaction([&](QSqlDatabase& database) {
        QSqlQuery query(database);
        query.prepare(QString::fromLatin1(UpdateCompleted));
        for (std::size_t i = 0; i < completed.size(); ++i) {
            query.addBindValue(bool(completed[i]));
            query.addBindValue(attempt);
            query.addBindValue(int(i + 1));
            if (!run(query))
                return false;
        }
        return true;
    });
}

bool AttemptJournal::savePosition(qint64 attempt, int position)
{
    return change(UpdatePosition, { position, attempt });
}

bool AttemptJournal::saveClock(qint64 attempt, int secondsLeft, bool paused)
{
    return change(UpdateClock, { secondsLeft, paused, attempt });
}

bool AttemptJournal::saveChecked(qint64 attempt, int position)
{
    return change(UpdateChecked, { attempt, position });
}

// The end and each question's outcome in one transaction: the statistics never count half an attempt.
bool AttemptJournal::finish(qint64 attempt, const AttemptEnd& end)
{
    const bool saved = finishWhole(attempt, end);
    release(attempt);
    return saved;
}

bool AttemptJournal::finishWhole(qint64 attempt, const AttemptEnd& end)
{
    return inTransaction([&](QSqlDatabase& database) {
        QSqlQuery query(database);
        query.prepare(QString::fromLatin1(UpdateFinished));
        for (const QVariant& value :
             QVariantList{ end.score, end.maximumScore, double(end.passMark), end.passed, utcMilliseconds(end.ended),
                           end.timeRanOut, end.scoreRecord, attempt })
            query.addBindValue(value);
        if (!run(query))
            return false;
        // An attempt finished already, or by another instance, keeps the outcomes it has.
        return query.numRowsAffected() == 0 || recordOutcomes(database, attempt, end);
    });
}

// Each question of the attempt with whether it was answered fully right, for the statistics.
bool AttemptJournal::recordOutcomes(const QSqlDatabase& database, qint64 attempt, const AttemptEnd& end)
{
    QSqlQuery bank(database);
    bank.prepare(QString::fromLatin1(SelectBankOfAttempt));
    bank.addBindValue(attempt);
    if (!run(bank) || !bank.next())
        return false;
    QSqlQuery asked(database);
    asked.prepare(QString::fromLatin1(SelectAskedOfAttempt));
    asked.addBindValue(attempt);
    if (!run(asked))
        return false;
    OutcomeRecorder outcomes(database);
    while (asked.next()) {
        const int position = asked.value(0).toInt();
        if (position < 1 || std::size_t(position) > end.fullyRight.size())
            continue;
        if (!outcomes.add(bank.value(0).toString(), asked.value(1), asked.value(2).toLongLong(),
                          utcMilliseconds(end.ended), attempt, position, end.fullyRight[std::size_t(position - 1)]))
            return fail(outcomes.failed());
    }
    return true;
}

bool AttemptJournal::abandon(qint64 attempt)
{
    const bool saved = change(UpdateAbandoned, { attempt });
    release(attempt);
    return saved;
}

QString AttemptJournal::lockPath(qint64 attempt) const
{
    return m_path + QStringLiteral(".attempt-%1.lock").arg(attempt);
}

// A lock file per running attempt names the process that holds it; a process that ended, by
// whatever means, leaves a lock that the next claim takes over.
bool AttemptJournal::claim(qint64 attempt)
{
    if (m_claims.count(attempt))
        return true;
    auto lock = std::make_unique<QLockFile>(lockPath(attempt));
    // A claim lasts as long as its process, however long the attempt runs.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_claims.emplace(attempt, std::move(lock));
    return true;
}

void AttemptJournal::release(qint64 attempt)
{
    m_claims.erase(attempt);
}

std::vector<qint64> AttemptJournal::claimUnheldRunning()
{
    ensureOpen();
    std::vector<qint64> claimed;
    if (!m_usable)
        return claimed;
    QSqlQuery query(database());
    query.prepare(QString::fromLatin1(SelectRunning));
    if (!run(query))
        return claimed;
    std::vector<qint64> running;
    while (query.next())
        running.push_back(query.value(0).toLongLong());
    for (qint64 id : running)
        if (claim(id))
            claimed.push_back(id);
    return claimed;
}

std::optional<JournaledAttempt> AttemptJournal::attempt(qint64 id)
{
    ensureOpen();
    if (!m_usable)
        return std::nullopt;
    QSqlDatabase database = this->database();
    // One read transaction: the attempt and its questions as of one commit.
    database.transaction();
    QSqlQuery query(database);
    query.prepare(QString::fromLatin1(SelectAttempt));
    query.addBindValue(id);
    if (!run(query) || !query.next()) {
        database.rollback();
        return std::nullopt;
    }
    JournaledAttempt found;
    found.id = id;
    found.examNumber = static_cast<std::int16_t>(query.value(0).toInt());
    found.exam = CatalogueRecord::fromBytes(query.value(1).toByteArray());
    found.kind = static_cast<AttemptKind>(query.value(2).toInt());
    found.started = fromUtcMilliseconds(query.value(3));
    found.examSeconds = query.value(4).toInt();
    found.status = static_cast<AttemptStatus>(query.value(5).toInt());
    found.position = query.value(6).toInt();
    found.secondsLeft = query.value(7).toInt();
    found.paused = query.value(8).toBool();
    found.end = endFrom(query, 9);
    found.study = query.value(17).toBool();
    query.finish();

    QSqlQuery asked(database);
    asked.prepare(QString::fromLatin1(SelectAsked));
    asked.addBindValue(id);
    if (!run(asked)) {
        database.rollback();
        return std::nullopt;
    }
    while (asked.next()) {
        AskedQuestion question;
        question.recordNumber = static_cast<std::int16_t>(asked.value(0).toInt());
        question.record = asked.value(1).toByteArray();
        for (int slot = 0; slot < 4; ++slot)
            question.selection[std::size_t(slot)] = static_cast<std::int16_t>(asked.value(2 + slot).toInt());
        question.completed = asked.value(6).toBool();
        question.marked = asked.value(7).toBool();
        question.checked = asked.value(8).toBool();
        question.domain = asked.value(9).toString();
        found.questions.push_back(std::move(question));
    }
    asked.finish();
    database.rollback();
    return found;
}

std::vector<PastAttempt> AttemptJournal::readPastAttempts(QSqlQuery& query)
{
    std::vector<PastAttempt> attempts;
    if (!run(query))
        return attempts;
    while (query.next()) {
        PastAttempt past;
        past.id = query.value(0).toLongLong();
        past.examNumber = static_cast<std::int16_t>(query.value(1).toInt());
        past.examName = CatalogueRecord::fromBytes(query.value(2).toByteArray()).ExamName.trimmed();
        past.kind = static_cast<AttemptKind>(query.value(3).toInt());
        past.end.ended = fromUtcMilliseconds(query.value(4));
        past.ended = past.end.ended;
        past.end.score = static_cast<std::int16_t>(query.value(5).toInt());
        past.end.maximumScore = static_cast<std::int16_t>(query.value(6).toInt());
        past.end.passMark = query.value(7).toFloat();
        past.end.passed = query.value(8).toBool();
        past.end.secondsUsed = query.value(9).toInt();
        past.end.timeRanOut = query.value(10).toBool();
        past.end.scoreRecord = query.value(11).toLongLong();
        past.study = query.value(12).toBool();
        attempts.push_back(std::move(past));
    }
    return attempts;
}

// Only what the history lists: thousands of attempts come in one go.
std::vector<PastAttempt> AttemptJournal::finishedAttempts(int examNumber)
{
    std::vector<PastAttempt> attempts;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QString::fromLatin1(SelectFinishedOfExam));
    query.addBindValue(examNumber);
    if (!run(query))
        return attempts;
    while (query.next()) {
        PastAttempt past;
        past.id = query.value(0).toLongLong();
        past.examNumber = static_cast<std::int16_t>(examNumber);
        past.kind = static_cast<AttemptKind>(query.value(1).toInt());
        past.ended = fromUtcMilliseconds(query.value(2));
        past.end.ended = past.ended;
        past.end.score = static_cast<std::int16_t>(query.value(3).toInt());
        past.end.maximumScore = static_cast<std::int16_t>(query.value(4).toInt());
        past.end.passed = query.value(5).toBool();
        past.end.scoreRecord = query.value(6).toLongLong();
        past.study = query.value(7).toBool();
        attempts.push_back(std::move(past));
    }
    return attempts;
}

std::vector<PastAttempt> AttemptJournal::allFinishedAttempts()
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QString::fromLatin1(SelectAllFinished));
    return readPastAttempts(query);
}

QuestionStatistics AttemptJournal::statistics(const QString& bankFile)
{
    QuestionStatistics statistics;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QString::fromLatin1(SelectStandingsOfBank));
    query.addBindValue(bankFile);
    if (!run(query))
        return statistics;
    while (query.next())
        statistics.set(static_cast<std::int16_t>(query.value(0).toInt()), quint64(query.value(1).toLongLong()),
                       query.value(2).toInt(), query.value(3).toInt(), fromUtcMilliseconds(query.value(4)),
                       query.value(5).toInt());
    return statistics;
}

} // namespace quizmark
