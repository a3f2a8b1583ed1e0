#include "attemptshares.h"
#include "questionstatistics.h"
#include "questionstatisticstable.h"

#include "data/bankdomains.h"
#include "data/questionrecord.h"

#include <QTimeZone>

#include <gtest/gtest.h>

#include <vector>

using namespace quizmark;

namespace {

const QDateTime Day0 = QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC);
const QTimeZone Utc = QTimeZone::utc();

QByteArray recordOf(const QString& question, QuestionRecord::CorrectOptionList correct = { 1, 0, 0, 0 })
{
    QuestionRecord record;
    record.Question = question.leftJustified(QuestionRecord::QuestionWidth);
    for (int k = 1; k <= 4; ++k)
        record.option(k) = QStringLiteral("Option %1").arg(k).leftJustified(QuestionRecord::OptionWidth);
    record.CorrectOptions = correct;
    record.Explanation = QStringLiteral("Because it is so.").leftJustified(QuestionRecord::ExplanationWidth);
    return record.toBytes();
}

// Answers counted for a record, oldest first, a day apart from Day0.
void answer(QuestionStatistics& statistics, std::int16_t number, const QByteArray& record,
            std::initializer_list<bool> answers)
{
    QDateTime when = Day0;
    for (const bool right : answers) {
        statistics.count(number, QuestionStatistics::fingerprint(record), right, when);
        when = when.addDays(1);
    }
}

std::vector<int> numbersOf(const QuestionStatisticsTable& table)
{
    std::vector<int> numbers;
    for (const QuestionStatisticsRow& row : table.rows())
        numbers.push_back(row.number);
    return numbers;
}

// Six questions of a bank with two domains; record 3 was answered under bytes it no longer has.
class StatisticsTable : public ::testing::Test
{
protected:
    std::vector<QByteArray> records;
    QuestionStatistics statistics;
    BankDomains domains{ { QStringLiteral("Addressing"), QStringLiteral("Routing"), QStringLiteral("Addressing"),
                           QStringLiteral("Routing"), QStringLiteral(""), QStringLiteral("Routing") } };

    void SetUp() override
    {
        for (int n = 1; n <= 6; ++n)
            records.push_back(recordOf(QStringLiteral("Which subnet holds host %1 of the network?").arg(n)));
        answer(statistics, 1, records[0], { true, false, false }); // 2 misses, 33 %
        answer(statistics, 2, records[1], { true, true }); // no miss
        answer(statistics, 3, recordOf(QStringLiteral("Before it was edited")), { false, false, false });
        answer(statistics, 4, records[3], { false }); // 1 miss, 0 %
        answer(statistics, 5, records[4], { true, false }); // 1 miss, 50 %
        // record 6 never seen
    }
};

TEST_F(StatisticsTable, RowsCarryTheJournalsStandingAndComeMostMissedFirst)
{
    const QuestionStatisticsTable table(records, domains, statistics);
    // Misses descending, then the lower share, then the number; never seen (3 edited, 6) last.
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 1, 4, 5, 2, 3, 6 }));

    const auto cellsOf = [&table](int number) {
        for (const QuestionStatisticsRow& row : table.rows())
            if (row.number == number)
                return QuestionStatisticsTable::cells(row, Utc);
        return QStringList();
    };
    EXPECT_EQ(cellsOf(1),
              (QStringList{ "1", QStringLiteral("Which subnet holds host 1 of\u2026"), "Addressing", "3", "1", "33 %",
                            "1", "2026-12-03 09:00" }));
    EXPECT_EQ(cellsOf(2),
              (QStringList{ "2", QStringLiteral("Which subnet holds host 2 of\u2026"), "Routing", "2", "2", "100 %",
                            "3", "2026-12-02 09:00" }));
    // The edited question counts as never seen: its old answers belong to other bytes.
    EXPECT_EQ(cellsOf(3),
              (QStringList{ "3", QStringLiteral("Which subnet holds host 3 of\u2026"), "Addressing", "0", "0",
                            QStringLiteral("\u2014"), QStringLiteral("\u2014"), QStringLiteral("\u2014") }));
    EXPECT_EQ(cellsOf(5)[2], QString());
}

TEST_F(StatisticsTable, EveryColumnSortsByItsValueBothWays)
{
    // Ten answers to record 6 against nine to record 2: as numbers 10 comes after 9, as texts before.
    answer(statistics, 6, records[5], { true, true, true, true, true, true, true, true, true, true });
    answer(statistics, 2, records[1], { true, true, true, true, true, true, true });
    QuestionStatisticsTable table(records, domains, statistics);
    using Key = QuestionStatisticsTable::SortKey;

    table.sort(Key::Seen, true);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 6, 2, 1, 5, 4, 3 }));
    table.sort(Key::Seen, false);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 3, 4, 5, 1, 2, 6 }));
    table.sort(Key::Number, true);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 6, 5, 4, 3, 2, 1 }));
    table.sort(Key::Number, false);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 1, 2, 3, 4, 5, 6 }));
    // Never seen stands last whichever the direction; equal shares (2 and 6 at 100 %) by number.
    table.sort(Key::Share, false);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 4, 1, 5, 2, 6, 3 }));
    table.sort(Key::Share, true);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 2, 6, 5, 1, 4, 3 }));
    table.sort(Key::Box, true);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 2, 6, 1, 4, 5, 3 }));
    table.sort(Key::LastSeen, true);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 6, 2, 1, 5, 4, 3 }));
    // A question without a domain stands after the others.
    table.sort(Key::Domain, false);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 1, 3, 2, 4, 6, 5 }));
    table.sort(Key::Right, true);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 6, 2, 1, 5, 3, 4 }));
    // Fewest misses first turns the whole first order round, never-seen still last.
    table.sort(Key::Misses, false);
    EXPECT_EQ(numbersOf(table), (std::vector<int>{ 2, 6, 5, 4, 1, 3 }));
}

TEST_F(StatisticsTable, EachDomainSaysItsQuestionsAndShareRightInTheBanksOrder)
{
    const QuestionStatisticsTable table(records, domains, statistics);
    // Addressing: 1 (1 of 3) and 3 (never seen); Routing: 2 (2 of 2), 4 (0 of 1), 6 (never seen).
    EXPECT_EQ(table.domainLines(),
              (QStringList{ "Addressing: 2 questions, 33 % right", "Routing: 3 questions, 67 % right",
                            "No domain: 1 question, 50 % right" }));

    const QuestionStatisticsTable plain(records, BankDomains(), statistics);
    EXPECT_EQ(plain.domainLines(), (QStringList{ "All questions: 6 questions, 50 % right" }));
    const QuestionStatisticsTable unseen(records, domains, QuestionStatistics());
    EXPECT_EQ(unseen.domainLines()[0], QStringLiteral("Addressing: 2 questions, not seen yet"));
}

TEST(StatisticsTableTexts, FirstWordsMakeOneShortLine)
{
    EXPECT_EQ(QuestionStatisticsTable::firstWords(QStringLiteral("  Which   of these\nis a  capital?   ")),
              QStringLiteral("Which of these is a capital?"));
    EXPECT_EQ(QuestionStatisticsTable::firstWords(QStringLiteral("One two three four five six seven")),
              QStringLiteral("One two three four five six\u2026"));
    EXPECT_EQ(QuestionStatisticsTable::firstWords(QStringLiteral("Tab\tand\x01"
                                                                 "control")),
              QStringLiteral("Tab and control"));
    const QString address = QStringLiteral("https://") + QString(60, u'x');
    EXPECT_EQ(QuestionStatisticsTable::firstWords(address), address.left(48) + QChar(0x2026));
    EXPECT_EQ(QuestionStatisticsTable::firstWords(QString(500, u' ')), QString());
}

TEST(StatisticsTableTexts, ASharePercentOnlyClaimsAllOrNothingWhenItIsSo)
{
    EXPECT_EQ(QuestionStatisticsTable::percentText(2, 3), QStringLiteral("67 %"));
    EXPECT_EQ(QuestionStatisticsTable::percentText(199, 200), QStringLiteral("99 %"));
    EXPECT_EQ(QuestionStatisticsTable::percentText(1, 300), QStringLiteral("1 %"));
    EXPECT_EQ(QuestionStatisticsTable::percentText(0, 5), QStringLiteral("0 %"));
    EXPECT_EQ(QuestionStatisticsTable::percentText(5, 5), QStringLiteral("100 %"));
}

TEST(StatisticsTableTexts, TheDetailMarksTheCorrectOptionsInWordsAndEndsWithTheExplanation)
{
    const QByteArray bytes = recordOf(QStringLiteral("Which are even?"), { 2, 4, 0, 0 });
    QuestionStatistics statistics;
    answer(statistics, 1, bytes, { false, true });
    const QuestionStatisticsTable table({ bytes }, BankDomains({ QStringLiteral("Numbers") }), statistics);
    const QuestionStatisticsRow& row = table.rows().front();
    EXPECT_EQ(QuestionStatisticsTable::heading(row), QStringLiteral("Question 1 \u00b7 Numbers"));
    EXPECT_EQ(QuestionStatisticsTable::detailText(QuestionRecord::fromBytes(bytes), row, Utc),
              QStringLiteral("Seen 2 times, right 1 time (50 %), box 2, last seen 2026-12-02 09:00.\n\n"
                             "Which are even?\n\n"
                             "1. Option 1\n2. Option 2 (correct answer)\n3. Option 3\n4. Option 4 (correct answer)\n\n"
                             "Explanation: Because it is so."));
    // Only the first CorrectCount slots count, as the answer review reads them.
    const QByteArray odd = recordOf(QStringLiteral("Odd slots"), { 0, 3, 0, 0 });
    const QuestionStatisticsTable unseen({ odd }, BankDomains(), QuestionStatistics());
    const QString text
        = QuestionStatisticsTable::detailText(QuestionRecord::fromBytes(odd), unseen.rows().front(), Utc);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Not seen yet.\n"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("correct answer"))) << text.toStdString();
}

PastAttempt attempt(AttemptKind kind, bool study, QDateTime ended, std::int16_t score, std::int16_t maximum)
{
    PastAttempt past;
    past.kind = kind;
    past.study = study;
    past.ended = ended;
    past.end.score = score;
    past.end.maximumScore = maximum;
    return past;
}

TEST(AttemptShares, OnlyDatedExamAttemptsCountOldestFirstInPercent)
{
    // Newest first, as the journal lists them.
    const std::vector<PastAttempt> attempts{
        attempt(AttemptKind::Exam, false, Day0.addDays(6), 2, 3),
        attempt(AttemptKind::Exam, false, QDateTime(), 3, 3),
        attempt(AttemptKind::Exam, true, Day0.addDays(5), 3, 3),
        attempt(AttemptKind::WeakPractice, false, Day0.addDays(4), 3, 3),
        attempt(AttemptKind::PracticeRetry, false, Day0.addDays(3), 3, 3),
        attempt(AttemptKind::Exam, false, Day0.addDays(2), 0, 0),
        attempt(AttemptKind::Exam, false, Day0.addDays(1), 7, 10),
    };
    const std::vector<AttemptShare> shares = AttemptShares::of(attempts);
    ASSERT_EQ(shares.size(), std::size_t(2));
    EXPECT_EQ(shares[0].ended, Day0.addDays(1));
    EXPECT_DOUBLE_EQ(shares[0].percent, 70.0);
    EXPECT_EQ(shares[1].ended, Day0.addDays(6));
    EXPECT_DOUBLE_EQ(shares[1].percent, 200.0 / 3);
    EXPECT_TRUE(AttemptShares::of({}).empty());
}

TEST(AttemptShares, DateLabelsSkipPointsUntilTheyStandClear)
{
    // 11 points over 500 pixels are 50 apart: a label of 30 with a gap of 15 fits at every point.
    EXPECT_EQ(AttemptShares::labelStep(11, 500, 30, 15), 1);
    EXPECT_EQ(AttemptShares::labelStep(11, 500, 40, 15), 2);
    EXPECT_EQ(AttemptShares::labelStep(101, 500, 30, 15), 9);
    EXPECT_EQ(AttemptShares::labelStep(2, 500, 30, 15), 1);
    EXPECT_EQ(AttemptShares::labelStep(1, 500, 30, 15), 1);
    EXPECT_EQ(AttemptShares::labelStep(50, 0, 30, 15), 1);
}

} // namespace
