#include "module1.h"
#include "attempt/attemptprogress.h"
#include "attempt/wholebanksetting.h"

#include "support/fakeservices.h"

#include <QTest>

using namespace quizmark;

namespace {

// An attempt of `questions` positions, each with one correct option: the first `incomplete` have
// nothing stored, the rest their one option; the first `marked` positions are marked.
AttemptState attemptOf(int questions, int incomplete, int marked)
{
    AttemptState state;
    state.QuestionsToTake = static_cast<std::int16_t>(questions);
    for (int p = 1; p <= questions; ++p) {
        state.CorrectCount(p) = 1;
        state.Selections(p, 1) = p > incomplete ? 2 : 0;
        state.MarkedForReview(p) = p <= marked;
    }
    return state;
}

} // namespace

class AttemptProgressTest : public QObject
{
    Q_OBJECT

private slots:
    void endExamLineCountsWhatIsLeft_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("incomplete");
        QTest::addColumn<int>("marked");
        QTest::addColumn<QString>("line");

        QTest::newRow("nothing left") << 10 << 0 << 0 << "";
        QTest::newRow("several incomplete, one marked")
            << 10 << 2 << 1 << "2 of 10 questions are incomplete. 1 is marked for review.";
        QTest::newRow("one incomplete") << 10 << 1 << 0 << "1 of 10 questions is incomplete.";
        QTest::newRow("several incomplete") << 10 << 7 << 0 << "7 of 10 questions are incomplete.";
        QTest::newRow("one incomplete, several marked")
            << 10 << 1 << 3 << "1 of 10 questions is incomplete. 3 are marked for review.";
        QTest::newRow("one marked") << 10 << 0 << 1 << "1 question is marked for review.";
        QTest::newRow("several marked") << 10 << 0 << 4 << "4 questions are marked for review.";
        QTest::newRow("every question incomplete and marked")
            << 10 << 10 << 10 << "10 of 10 questions are incomplete. 10 are marked for review.";
        QTest::newRow("the one question of an attempt") << 1 << 1 << 0 << "1 of 1 question is incomplete.";
    }

    void endExamLineCountsWhatIsLeft()
    {
        QFETCH(int, questions);
        QFETCH(int, incomplete);
        QFETCH(int, marked);
        QFETCH(QString, line);
        const AttemptProgress progress(attemptOf(questions, incomplete, marked));
        QCOMPARE(progress.incomplete(), incomplete);
        QCOMPARE(progress.marked(), marked);
        QCOMPARE(progress.endExamLine(), line);
    }

    // A longer attempt earlier in the run leaves its positions behind; only 1..N count.
    void positionsAboveTheAttemptAreNotCounted()
    {
        AttemptState state = attemptOf(10, 10, 10);
        state.QuestionsToTake = 4;
        const AttemptProgress progress(state);
        QCOMPARE(progress.incomplete(), 4);
        QCOMPARE(progress.marked(), 4);
        QCOMPARE(progress.endExamLine(), QStringLiteral("4 of 4 questions are incomplete. 4 are marked for review."));
    }

    void completeMeansAsManyStoredOptionsAsCorrectOnes_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<bool>("complete");
        QTest::newRow("no correct option, nothing stored") << 0 << QList<int>{ 0, 0, 0, 0 } << true;
        QTest::newRow("two correct, one stored") << 2 << QList<int>{ 3, 0, 0, 0 } << false;
        QTest::newRow("two correct, two stored") << 2 << QList<int>{ 1, 4, 0, 0 } << true;
        QTest::newRow("a slot left from an earlier store counts") << 1 << QList<int>{ 0, 2, 0, 0 } << true;
        QTest::newRow("one correct, nothing stored") << 1 << QList<int>{ 0, 0, 0, 0 } << false;
    }

    void completeMeansAsManyStoredOptionsAsCorrectOnes()
    {
        QFETCH(int, correct);
        QFETCH(QList<int>, stored);
        QFETCH(bool, complete);
        AttemptState state;
        state.QuestionsToTake = 1;
        state.CorrectCount(1) = static_cast<std::int16_t>(correct);
        for (int k = 1; k <= 4; ++k)
            state.Selections(1, k) = static_cast<std::int16_t>(stored[k - 1]);
        QCOMPARE(AttemptProgress::isComplete(state, 1), complete);
        QCOMPARE(AttemptProgress(state).incomplete(), complete ? 0 : 1);
    }

    void clockTextShowsMinutesAndSeconds_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("a full ten minutes") << 600 << "10:00";
        QTest::newRow("one second gone") << 599 << "9:59";
        QTest::newRow("under a minute") << 59 << "0:59";
        QTest::newRow("a single-digit second") << 65 << "1:05";
        QTest::newRow("the end") << 0 << "0:00";
        QTest::newRow("the longest attempt") << 32760 << "546:00";
        QTest::newRow("nothing below the end") << -3 << "0:00";
    }

    void clockTextShowsMinutesAndSeconds()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(AttemptProgress::clockText(seconds), text);
    }

    void theWholeBankChoiceIsRemembered()
    {
        testing_support::MemorySettingsStore settings;
        QVERIFY(WholeBankSetting::read(settings));
        WholeBankSetting::write(settings, false);
        QCOMPARE(settings.values.value(QStringLiteral("quizmark/settings/Draw From Whole Bank")),
                 QStringLiteral("False"));
        QVERIFY(!WholeBankSetting::read(settings));
        WholeBankSetting::write(settings, true);
        QVERIFY(WholeBankSetting::read(settings));
        settings.values.insert(QStringLiteral("quizmark/settings/Draw From Whole Bank"), QStringLiteral("garbled"));
        QVERIFY(WholeBankSetting::read(settings));
    }
};

QTEST_APPLESS_MAIN(AttemptProgressTest)
#include "attemptprogress_test.moc"
