#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QTimeZone;

namespace quizmark {

class BankDomains;
class QuestionStatistics;
struct QuestionRecord;

// One question of the bank as the question statistics list it.
struct QuestionStatisticsRow
{
    std::int16_t number = 0;
    // The question without the blanks that pad its field.
    QString question;
    QString domain;
    int seen = 0;
    int right = 0;
    // 1 to 5; 0 for a question never seen.
    int box = 0;
    QDateTime lastSeen;

    bool wasSeen() const { return seen > 0; }
    int misses() const { return seen - right; }
};

// The question statistics of one bank as it is now: a row per record with what the journal holds of
// it, in an order the candidate picks, and each domain's share right.
class QuestionStatisticsTable
{
public:
    // The orders the statistics screen offers, in its order; the columns follow Misses.
    enum class SortKey
    {
        Misses = 0,
        Number = 1,
        Question = 2,
        Domain = 3,
        Seen = 4,
        Right = 5,
        Share = 6,
        Box = 7,
        LastSeen = 8
    };
    static constexpr int ColumnCount = 8;
    static constexpr int FirstWordsCount = 6;
    // A word longer than this (an address, a command line) is cut, so the column stays narrow.
    static constexpr int FirstWordsLength = 48;
    // Shown in the share, box and last seen of a question never seen.
    static constexpr QChar NotSeen = QChar(0x2014);

    // records: every record of the bank, record 1 first. A question the journal knows under other
    // bytes (an edited question) counts as never seen. The rows come most missed first.
    QuestionStatisticsTable(const std::vector<QByteArray>& records, const BankDomains& domains,
                            const QuestionStatistics& statistics);

    const std::vector<QuestionStatisticsRow>& rows() const { return m_rows; }
    // Numbers sort as numbers, texts without regard to case; questions never seen stand after the
    // others in the share, box and last seen whichever the direction; equal rows by number. Misses
    // descending is the first order: most missed first, then lower share, then number.
    void sort(SortKey key, bool descending);
    // The key a column of the table sorts by, column 0 first.
    static SortKey keyOfColumn(int column) { return SortKey(column + 1); }

    // The texts of a row's columns: number, first words, domain, seen, right, share, box, last seen.
    static QStringList cells(const QuestionStatisticsRow& row, const QTimeZone& zone);
    // "Addressing: 12 questions, 75 % right" for each domain in the order of the bank; a bank without
    // domains has one line, "All questions: ...", and questions without one in a bank with domains
    // count under "No domain".
    QStringList domainLines() const;
    // Whether any question of the bank has a domain.
    bool hasDomains() const;

    // "Question 12 · Addressing", or without the domain where it has none.
    static QString heading(const QuestionStatisticsRow& row);
    // The question on its own, plain text: what the journal holds of it, the question, its four
    // options with the correct ones said in words (as the answer review reads them), the explanation.
    static QString detailText(const QuestionRecord& record, const QuestionStatisticsRow& row, const QTimeZone& zone);

    // The first few words of a text on one line, with "…" where anything was left off.
    static QString firstWords(const QString& text);
    // "67 %": never 100 % unless all were right, never 0 % unless none was.
    static QString percentText(int part, int whole);
    // Local time as the past attempts show it: "2026-12-09 14:03".
    static QString dateTimeText(const QDateTime& time, const QTimeZone& zone);

private:
    std::vector<QuestionStatisticsRow> m_rows;
};

} // namespace quizmark
