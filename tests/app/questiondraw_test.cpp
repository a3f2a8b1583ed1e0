#include "attempt/questiondraw.h"

#include "platform/randomsource.h"

#include <QTest>

#include <algorithm>
#include <map>
#include <random>
#include <set>

using namespace quizmark;

namespace {

// A generator with a fixed seed, so the counts below are the same on every run.
class SeededRandom : public platform::RandomSource
{
public:
    void Randomize() override { }
    result_type next() override { return m_engine(); }

private:
    std::mt19937 m_engine{ 20261208u };
};

std::vector<std::int16_t> oneToN(int n)
{
    std::vector<std::int16_t> records;
    for (int i = 1; i <= n; ++i)
        records.push_back(static_cast<std::int16_t>(i));
    return records;
}

std::vector<std::int16_t> sortedCopy(std::vector<std::int16_t> records)
{
    std::ranges::sort(records);
    return records;
}

} // namespace

class QuestionDrawTest : public QObject
{
    Q_OBJECT

private slots:
    void firstRecordsAreEachOfOneToN_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one question") << 1;
        QTest::newRow("ten questions") << 10;
        QTest::newRow("a whole bank of 52") << 52;
        QTest::newRow("every position of an attempt") << 1000;
    }

    void firstRecordsAreEachOfOneToN()
    {
        QFETCH(int, count);
        SeededRandom random;
        QCOMPARE(sortedCopy(QuestionDraw(random).firstRecords(count)), oneToN(count));
    }

    void wholeBankDrawsDifferentRecordsOfTheBank_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("bankTotal");
        QTest::addColumn<int>("drawn");
        QTest::newRow("ten of 52") << 10 << 52 << 10;
        QTest::newRow("one of 52") << 1 << 52 << 1;
        QTest::newRow("the whole bank") << 52 << 52 << 52;
        QTest::newRow("more than the bank holds") << 60 << 52 << 52;
        QTest::newRow("a bank as large as an Integer allows") << 1000 << 32767 << 1000;
    }

    void wholeBankDrawsDifferentRecordsOfTheBank()
    {
        QFETCH(int, count);
        QFETCH(int, bankTotal);
        QFETCH(int, drawn);
        SeededRandom random;
        QuestionDraw draw(random);
        for (int attempt = 0; attempt < 50; ++attempt) {
            const std::vector<std::int16_t> records = draw.fromWholeBank(count, bankTotal);
            QCOMPARE(int(records.size()), drawn);
            QCOMPARE(int(std::set<std::int16_t>(records.begin(), records.end()).size()), drawn);
            for (const std::int16_t record : records)
                QVERIFY2(record >= 1 && record <= bankTotal, qPrintable(QString::number(record)));
        }
    }

    // 2,000 draws of 10 of 52 expect each record about 385 times (standard deviation about 18).
    void wholeBankDrawReachesEveryRecordEvenly()
    {
        SeededRandom random;
        QuestionDraw draw(random);
        std::map<int, int> drawnTimes;
        std::map<int, int> askedFirst;
        for (int attempt = 0; attempt < 2000; ++attempt) {
            const std::vector<std::int16_t> records = draw.fromWholeBank(10, 52);
            for (const std::int16_t record : records)
                ++drawnTimes[record];
            ++askedFirst[records.front()];
        }
        QCOMPARE(int(drawnTimes.size()), 52);
        for (const auto& [record, times] : drawnTimes)
            QVERIFY2(times >= 300 && times <= 470,
                     qPrintable(QStringLiteral("record %1 drawn %2 times").arg(record).arg(times)));
        // Each record opens the attempt about 38 times: the order is random, not the bank's.
        QCOMPARE(int(askedFirst.size()), 52);
        for (const auto& [record, times] : askedFirst)
            QVERIFY2(times >= 12 && times <= 70,
                     qPrintable(QStringLiteral("record %1 first %2 times").arg(record).arg(times)));
    }

    void firstRecordsComeInEveryOrder()
    {
        SeededRandom random;
        QuestionDraw draw(random);
        std::map<int, int> askedFirst;
        for (int attempt = 0; attempt < 1000; ++attempt)
            ++askedFirst[draw.firstRecords(10).front()];
        QCOMPARE(int(askedFirst.size()), 10);
        for (const auto& [record, times] : askedFirst)
            QVERIFY2(times >= 60 && times <= 140,
                     qPrintable(QStringLiteral("record %1 first %2 times").arg(record).arg(times)));
    }

    void givenRecordsAreShuffledNotChanged()
    {
        const std::vector<std::int16_t> given{ 7, 3, 41, 12, 30 };
        SeededRandom random;
        QuestionDraw draw(random);
        std::set<std::vector<std::int16_t>> orders;
        for (int attempt = 0; attempt < 200; ++attempt) {
            const std::vector<std::int16_t> records = draw.shuffled(given);
            QCOMPARE(sortedCopy(records), sortedCopy(given));
            orders.insert(records);
        }
        // 200 shuffles of five records meet most of their 120 orders.
        QVERIFY2(orders.size() > 60, qPrintable(QString::number(orders.size())));
    }

    void anEmptyDrawIsEmpty()
    {
        SeededRandom random;
        QuestionDraw draw(random);
        QVERIFY(draw.firstRecords(0).empty());
        QVERIFY(draw.fromWholeBank(0, 52).empty());
        QVERIFY(draw.fromWholeBank(10, 0).empty());
        QVERIFY(draw.shuffled({}).empty());
    }
};

QTEST_APPLESS_MAIN(QuestionDrawTest)
#include "questiondraw_test.moc"
