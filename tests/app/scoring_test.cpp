#include "module1.h"
#include "attempt/answerticks.h"
#include "attempt/attemptscore.h"

#include "data/questionrecord.h"
#include "platform/conversions.h"

#include <QTest>

#include <memory>

using namespace quizmark;

namespace {

using Four = std::array<std::int16_t, 4>;
using Boxes = std::array<bool, 4>;

QuestionRecord recordWith(Four correct)
{
    QuestionRecord record;
    record.CorrectOptions = correct;
    return record;
}

// One position stored as the exam screen leaves it.
void store(AttemptState& state, int position, std::int16_t correctCount, Four selections)
{
    state.CorrectCount(position) = correctCount;
    for (int k = 1; k <= 4; ++k)
        state.Selections(position, k) = selections[std::size_t(k - 1)];
}

} // namespace

Q_DECLARE_METATYPE(Four)
Q_DECLARE_METATYPE(Boxes)

class ScoringTest : public QObject
{
    Q_OBJECT

private slots:
    void onePointPerMatchedSlot_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<Four>("correct");
        QTest::addColumn<Four>("selections");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("line");
        QTest::newRow("(1, 3) all matched")
            << 1 << Four{ 1, 3, 0, 0 } << Four{ 1, 3, 0, 0 } << 2 << "Question 1  Correct";
        QTest::newRow("(3, 0)") << 12 << Four{ 1, 3, 0, 0 } << Four{ 3, 0, 0, 0 } << 0 << "Question 12 Incorrect";
        QTest::newRow("(1, 0)") << 12 << Four{ 1, 3, 0, 0 } << Four{ 1, 0, 0, 0 } << 1 << "Question 12 Incorrect";
        QTest::newRow("(2, 3)") << 12 << Four{ 1, 3, 0, 0 } << Four{ 2, 3, 0, 0 } << 1 << "Question 12 Incorrect";
        QTest::newRow("slots beyond the count are not looked at")
            << 3 << Four{ 1, 3, 0, 0 } << Four{ 1, 3, 4, 2 } << 2 << "Question 3  Correct";
        QTest::newRow("(4, 2) cannot be matched by ascending ticks")
            << 4 << Four{ 4, 2, 0, 0 } << Four{ 2, 4, 0, 0 } << 0 << "Question 4 Incorrect";
        QTest::newRow("(0, 3) counts one but element 1 is 0")
            << 5 << Four{ 0, 3, 0, 0 } << Four{ 3, 0, 0, 0 } << 0 << "Question 5 Incorrect";
        QTest::newRow("no correct option")
            << 1000 << Four{ 0, 0, 0, 0 } << Four{ 0, 0, 0, 0 } << 0 << "Question 1000  Correct";
    }

    void onePointPerMatchedSlot()
    {
        QFETCH(int, position);
        QFETCH(Four, correct);
        QFETCH(Four, selections);
        QFETCH(int, points);
        QFETCH(QString, line);
        auto state = std::make_unique<AttemptState>();
        const QuestionRecord record = recordWith(correct);
        store(*state, position, record.correctCount(), selections);
        const std::int16_t matches = AttemptScore::matchCount(*state, position, record);
        QCOMPARE(int(matches), points);
        QCOMPARE(AttemptScore::line(position, matches, record.correctCount()), line);
    }

    void passMarkIsSeventyPercentAsASingle_data()
    {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("passed");
        QTest::newRow("10, 7") << 10 << 7 << "7" << true;
        QTest::newRow("10, 6") << 10 << 6 << "7" << false;
        QTest::newRow("3, 2") << 3 << 2 << "2.1" << false;
        QTest::newRow("3, 3") << 3 << 3 << "2.1" << true;
        QTest::newRow("25, 17") << 25 << 17 << "17.5" << false;
        QTest::newRow("25, 18") << 25 << 18 << "17.5" << true;
        QTest::newRow("1, 1") << 1 << 1 << "0.7" << true;
        QTest::newRow("1, 0") << 1 << 0 << "0.7" << false;
        QTest::newRow("nothing to score") << 0 << 0 << "0" << true;
    }

    void passMarkIsSeventyPercentAsASingle()
    {
        QFETCH(int, maximum);
        QFETCH(int, score);
        QFETCH(QString, shown);
        QFETCH(bool, passed);
        AttemptScore attempt;
        attempt.add(1, std::int16_t(score), std::int16_t(maximum));
        QCOMPARE(platform::singleText(attempt.passMark()), shown);
        QCOMPARE(attempt.passed(), passed);
        const ScoreRecord record = attempt.record(4);
        QCOMPARE(record.Passed, passed ? std::int16_t(-1) : std::int16_t(0));
        QCOMPARE(int(record.MaximumScore), maximum);
        QCOMPARE(int(record.Score), score);
        QCOMPARE(record.ExamNumber, std::int16_t(4));
    }

    void anAttemptIsScoredInPositionOrderFromItsOwnRecords()
    {
        auto state = std::make_unique<AttemptState>();
        state->QuestionsToTake = 3;
        state->QuestionOrder(1) = 3;
        state->QuestionOrder(2) = 1;
        state->QuestionOrder(3) = 2;
        state->QuestionOrder(4) = 4; // left from a longer attempt: never read
        const std::map<int, Four> bank{
            { 1, { 2, 0, 0, 0 } }, { 2, { 1, 2, 3, 4 } }, { 3, { 1, 3, 0, 0 } }, { 4, { 1, 0, 0, 0 } }
        };
        store(*state, 1, 2, { 1, 3, 0, 0 });
        store(*state, 2, 1, { 4, 0, 0, 0 });
        store(*state, 3, 4, { 1, 2, 3, 0 });
        store(*state, 4, 1, { 1, 0, 0, 0 });
        QList<int> read;
        const AttemptScore attempt = AttemptScore::of(*state, [&](std::int16_t number) {
            read.append(number);
            return recordWith(bank.at(number));
        });
        QCOMPARE(read, (QList<int>{ 3, 1, 2 }));
        QCOMPARE(attempt.lines(),
                 (QStringList{ "Question 1  Correct", "Question 2 Incorrect", "Question 3 Incorrect" }));
        QCOMPARE(int(attempt.score()), 5);
        QCOMPARE(int(attempt.maximumScore()), 7);
        QVERIFY(attempt.passed()); // 5 of 7 against a pass mark of 4.9
        QCOMPARE(attempt.record(3).toBytes(), QByteArray::fromHex("030007000500ffff"));
    }

    void theShareIsRoundedWithoutCrossingWhatThePointsSay_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("text");
        QTest::newRow("0 of 0: no share") << 0 << 0 << "0 of 0 points";
        QTest::newRow("5 of 14") << 5 << 14 << "5 of 14 points (36 %)";
        QTest::newRow("14 of 14") << 14 << 14 << "14 of 14 points (100 %)";
        QTest::newRow("0 of 14") << 0 << 14 << "0 of 14 points (0 %)";
        QTest::newRow("half rounds up") << 1 << 8 << "1 of 8 points (13 %)";
        QTest::newRow("a fail never shows the pass mark") << 139 << 200 << "139 of 200 points (69 %)";
        QTest::newRow("the pass mark itself") << 7 << 10 << "7 of 10 points (70 %)";
        QTest::newRow("short of full is not 100") << 399 << 400 << "399 of 400 points (99 %)";
        QTest::newRow("something is not 0") << 1 << 400 << "1 of 400 points (1 %)";
    }

    void theShareIsRoundedWithoutCrossingWhatThePointsSay()
    {
        QFETCH(int, score);
        QFETCH(int, maximum);
        QFETCH(QString, text);
        QCOMPARE(AttemptScore::shareText(std::int16_t(score), std::int16_t(maximum)), text);
    }

    void theIncorrectPositionsAreThoseNotFullyMatched()
    {
        AttemptScore attempt;
        attempt.add(1, 2, 2);
        attempt.add(2, 1, 2);
        attempt.add(3, 0, 0);
        attempt.add(4, 0, 1);
        QCOMPARE(attempt.incorrectPositions(), (std::vector<int>{ 2, 4 }));
        QVERIFY(attempt.isCorrect(1) && attempt.isCorrect(3));
        QVERIFY(!attempt.isCorrect(2) && !attempt.isCorrect(4));
    }

    void aStoredPassIsTheRecordOfTheFileLayout()
    {
        AttemptScore attempt;
        attempt.add(1, 8, 10);
        QCOMPARE(attempt.record(3).toBytes(), QByteArray::fromHex("03000a000800ffff"));
    }

    void theReviewTicksWhatIsStoredAndWhatIsCorrect_data()
    {
        QTest::addColumn<Four>("correct");
        QTest::addColumn<Four>("selections");
        QTest::addColumn<Boxes>("yours");
        QTest::addColumn<Boxes>("right");
        QTest::newRow("(2, 4) answered (2, 3)")
            << Four{ 2, 4, 0, 0 } << Four{ 2, 3, 0, 0 } << Boxes{ false, true, true, false }
            << Boxes{ false, true, false, true };
        QTest::newRow("left blank") << Four{ 1, 0, 0, 0 } << Four{ 0, 0, 0, 0 } << Boxes{}
                                    << Boxes{ true, false, false, false };
        QTest::newRow("no correct option") << Four{ 0, 0, 0, 0 } << Four{ 3, 0, 0, 0 } << Boxes{} << Boxes{};
        QTest::newRow("a slot beyond the count is not shown")
            << Four{ 4, 0, 0, 0 } << Four{ 1, 4, 0, 0 } << Boxes{ true, false, false, false }
            << Boxes{ false, false, false, true };
        QTest::newRow("(0, 3) shows no correct option")
            << Four{ 0, 3, 0, 0 } << Four{ 3, 0, 0, 0 } << Boxes{ false, false, true, false } << Boxes{};
    }

    void theReviewTicksWhatIsStoredAndWhatIsCorrect()
    {
        QFETCH(Four, correct);
        QFETCH(Four, selections);
        QFETCH(Boxes, yours);
        QFETCH(Boxes, right);
        auto state = std::make_unique<AttemptState>();
        const QuestionRecord record = recordWith(correct);
        store(*state, 7, record.correctCount(), selections);
        const AnswerTicks ticks = AnswerTicks::of(*state, 7, record);
        QCOMPARE(ticks.yours, yours);
        QCOMPARE(ticks.correct, right);
    }
};

QTEST_GUILESS_MAIN(ScoringTest)

#include "scoring_test.moc"
