#include "questionstatisticstable.h"

#include "questionstatistics.h"

#include "data/bankdomains.h"
#include "data/questionrecord.h"

#include <QTimeZone>

#include <algorithm>
#include <array>
#include <map>

namespace quizmark {

namespace {

constexpr int Hundred = 100;

int threeWay(qint64 a, qint64 b)
{
    return (a > b) - (a < b);
}

// Share a against share b without rounding: right/seen compared as right × other seen.
int compareShares(const QuestionStatisticsRow& a, const QuestionStatisticsRow& b)
{
    return threeWay(qint64(a.right) * b.seen, qint64(b.right) * a.seen);
}

// A value the row does not have, which stands after the others whichever the direction.
bool isBlank(QuestionStatisticsTable::SortKey key, const QuestionStatisticsRow& row)
{
    using Key = QuestionStatisticsTable::SortKey;
    switch (key) {
    case Key::Misses:
    case Key::Share:
    case Key::Box:
    case Key::LastSeen:
        return !row.wasSeen();
    case Key::Domain:
        return row.domain.isEmpty();
    default:
        return false;
    }
}

// Ascending order of the key; fewer misses go first, and at equal misses the higher share, so
// that the descending order is most missed, then lower share.
int compareBy(QuestionStatisticsTable::SortKey key, const QuestionStatisticsRow& a, const QuestionStatisticsRow& b)
{
    using Key = QuestionStatisticsTable::SortKey;
    switch (key) {
    case Key::Misses:
        if (const int misses = threeWay(a.misses(), b.misses()))
            return misses;
        return -compareShares(a, b);
    case Key::Number:
        return threeWay(a.number, b.number);
    case Key::Question:
        return a.question.compare(b.question, Qt::CaseInsensitive);
    case Key::Domain:
        return a.domain.compare(b.domain, Qt::CaseInsensitive);
    case Key::Seen:
        return threeWay(a.seen, b.seen);
    case Key::Right:
        return threeWay(a.right, b.right);
    case Key::Share:
        return compareShares(a, b);
    case Key::Box:
        return threeWay(a.box, b.box);
    case Key::LastSeen:
        return threeWay(a.lastSeen.toMSecsSinceEpoch(), b.lastSeen.toMSecsSinceEpoch());
    }
    return 0;
}

QString countOf(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

QuestionStatisticsTable::QuestionStatisticsTable(const std::vector<QByteArray>& records, const BankDomains& domains,
                                                 const QuestionStatistics& statistics)
{
    m_rows.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        QuestionStatisticsRow row;
        row.number = static_cast<std::int16_t>(i + 1);
        row.question = QuestionRecord::fromBytes(records[i]).Question.trimmed();
        row.domain = domains.of(row.number);
        if (const QuestionStanding* standing
            = statistics.find(row.number, QuestionStatistics::fingerprint(records[i]))) {
            row.seen = standing->seen;
            row.right = standing->right;
            row.box = standing->box;
            row.lastSeen = standing->lastSeen;
        }
        m_rows.push_back(std::move(row));
    }
    sort(SortKey::Misses, true);
}

void QuestionStatisticsTable::sort(SortKey key, bool descending)
{
    std::sort(m_rows.begin(), m_rows.end(), [key, descending](const auto& a, const auto& b) {
        const bool blankA = isBlank(key, a);
        if (blankA != isBlank(key, b))
            return !blankA;
        if (!blankA)
            if (const int order = compareBy(key, a, b))
                return descending ? order > 0 : order < 0;
        return a.number < b.number;
    });
}

QStringList QuestionStatisticsTable::cells(const QuestionStatisticsRow& row, const QTimeZone& zone)
{
    const QString notSeen(NotSeen);
    return {
        QString::number(row.number),
        firstWords(row.question),
        row.domain,
        QString::number(row.seen),
        QString::number(row.right),
        row.wasSeen() ? percentText(row.right, row.seen) : notSeen,
        row.wasSeen() ? QString::number(row.box) : notSeen,
        row.wasSeen() && row.lastSeen.isValid() ? dateTimeText(row.lastSeen, zone) : notSeen,
    };
}

bool QuestionStatisticsTable::hasDomains() const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [](const auto& row) { return !row.domain.isEmpty(); });
}

QStringList QuestionStatisticsTable::domainLines() const
{
    struct Standing
    {
        int questions = 0;
        int seen = 0;
        int right = 0;
    };
    const QString none = hasDomains() ? QStringLiteral("No domain") : QStringLiteral("All questions");
    // By record number, so the domains come in the order of the bank whatever the rows' order.
    std::map<std::int16_t, const QuestionStatisticsRow*> byNumber;
    for (const QuestionStatisticsRow& row : m_rows)
        byNumber.emplace(row.number, &row);
    QStringList names;
    std::map<QString, Standing> standings;
    for (const auto& [number, row] : byNumber) {
        const QString name = row->domain.isEmpty() ? none : row->domain;
        if (!standings.count(name))
            names.append(name);
        Standing& standing = standings[name];
        ++standing.questions;
        standing.seen += row->seen;
        standing.right += row->right;
    }
    QStringList lines;
    for (const QString& name : names) {
        const Standing& standing = standings[name];
        lines.append(QStringLiteral("%1: %2, %3")
                         .arg(name, countOf(standing.questions, "question", "questions"),
                              standing.seen > 0 ? percentText(standing.right, standing.seen) + QStringLiteral(" right")
                                                : QStringLiteral("not seen yet")));
    }
    return lines;
}

QString QuestionStatisticsTable::heading(const QuestionStatisticsRow& row)
{
    const QString question = QStringLiteral("Question %1").arg(row.number);
    return row.domain.isEmpty() ? question : question + QStringLiteral(" \u00b7 ") + row.domain;
}

QString QuestionStatisticsTable::detailText(const QuestionRecord& record, const QuestionStatisticsRow& row,
                                            const QTimeZone& zone)
{
    QStringList lines;
    if (row.wasSeen())
        lines.append(QStringLiteral("Seen %1, right %2 (%3), box %4, last seen %5.")
                         .arg(countOf(row.seen, "time", "times"), countOf(row.right, "time", "times"),
                              percentText(row.right, row.seen), QString::number(row.box),
                              row.lastSeen.isValid() ? dateTimeText(row.lastSeen, zone) : QString(NotSeen)));
    else
        lines.append(QStringLiteral("Not seen yet."));
    lines.append(QString());
    lines.append(record.Question.trimmed());
    lines.append(QString());
    std::array<bool, QuestionRecord::OptionCount> correct{};
    // Only the first CorrectCount slots name correct options, as every reader of the record takes them.
    for (int k = 1; k <= record.correctCount(); ++k) {
        const int option = record.correctOption(k);
        if (option >= 1 && option <= QuestionRecord::OptionCount)
            correct[std::size_t(option - 1)] = true;
    }
    for (int option = 1; option <= QuestionRecord::OptionCount; ++option)
        lines.append(QStringLiteral("%1. %2%3")
                         .arg(option)
                         .arg(record.option(option).trimmed(),
                              correct[std::size_t(option - 1)] ? QStringLiteral(" (correct answer)") : QString()));
    lines.append(QString());
    lines.append(QStringLiteral("Explanation: ") + record.Explanation.trimmed());
    return lines.join(u'\n');
}

QString QuestionStatisticsTable::firstWords(const QString& text)
{
    QString line = text;
    // Control characters from a data file would break the one line; they count as blanks.
    for (QChar& c : line)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
    QString shown = words.mid(0, FirstWordsCount).join(u' ');
    bool cut = words.size() > FirstWordsCount;
    if (shown.size() > FirstWordsLength) {
        shown.truncate(FirstWordsLength);
        if (shown.back().isHighSurrogate())
            shown.chop(1);
        shown = shown.trimmed();
        cut = true;
    }
    return cut ? shown + QChar(0x2026) : shown;
}

QString QuestionStatisticsTable::percentText(int part, int whole)
{
    if (whole <= 0)
        return QString(NotSeen);
    int percent = qRound(double(Hundred) * part / whole);
    if (part < whole)
        percent = std::min(percent, Hundred - 1);
    if (part > 0)
        percent = std::max(percent, 1);
    return QStringLiteral("%1 %").arg(percent);
}

QString QuestionStatisticsTable::dateTimeText(const QDateTime& time, const QTimeZone& zone)
{
    const QDateTime local = time.toTimeZone(zone);
    const QDate day = local.date();
    const QTime clock = local.time();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d", day.year(), day.month(), day.day(), clock.hour(),
                             clock.minute());
}

} // namespace quizmark
