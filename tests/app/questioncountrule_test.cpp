#include "attempt/questioncountrule.h"

#include <QTest>

#include <optional>

using namespace quizmark;

Q_DECLARE_METATYPE(std::optional<std::int16_t>)

class QuestionCountRuleTest : public QObject {
    Q_OBJECT

private slots:
    void judgesTheTypedNumber_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wiped");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("questions");

        QTest::newRow("within the total") << 20 << "5" << false << 5 << 5;
        QTest::newRow("above the total") << 20 << "25" << true << 25 << 0;
        QTest::newRow("the total itself") << 20 << "20" << false << 20 << 20;
        QTest::newRow("a fraction above the total") << 20 << "20.4" << true << 20 << 0;
        QTest::newRow("zero") << 20 << "0" << true << 0 << 0;
        QTest::newRow("a letter") << 20 << "a" << true << 0 << 0;
        QTest::newRow("empty") << 20 << "" << true << 0 << 0;
        QTest::newRow("a lone minus sign") << 20 << "-" << true << 0 << 0;
        QTest::newRow("digits then letters") << 20 << "12abc" << false << 12 << 12;
        QTest::newRow("a half goes down to even") << 20 << "2.5" << false << 2 << 2;
        QTest::newRow("a half goes up to even") << 20 << "3.5" << false << 4 << 4;
        QTest::newRow("a pasted negative") << 20 << "-3" << false << -3 << 0;
        QTest::newRow("a value that converts to no question") << 20 << "0.4" << true << 0 << 0;
        QTest::newRow("a half converts to no question") << 20 << "0.5" << true << 0 << 0;
        QTest::newRow("too negative for an Integer") << 20 << "-40000" << true << 0 << 0;
        QTest::newRow("most minutes an attempt can time") << 1200 << "546" << false << 546 << 546;
        QTest::newRow("more minutes than an attempt can time") << 1200 << "547" << true << 547 << 0;
        QTest::newRow("a bank of no questions") << 0 << "1" << true << 1 << 0;
        QTest::newRow("too large for a number") << 20 << "1e999" << true << 0 << 0;
        QTest::newRow("400 digits") << 20 << QString(400, u'9') << true << 0 << 0;
        QTest::newRow("too large for an Integer") << 20 << "40000" << true << 0 << 0;
        QTest::newRow("too negative for a number") << 20 << "-1e999" << true << 0 << 0;
    }

    void judgesTheTypedNumber()
    {
        QFETCH(int, total);
        QFETCH(QString, text);
        QFETCH(bool, wiped);
        QFETCH(int, minutes);
        QFETCH(int, questions);
        const QuestionCountRule rule(total);
        QCOMPARE(rule.wipes(text), wiped);
        QCOMPARE(int(QuestionCountRule::timeGiven(text)), minutes);
        QCOMPARE(int(rule.questionsToTake(text).value_or(0)), questions);
    }

    void capsAtTheBankAndAtTheAttemptLimits_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("cap");
        QTest::newRow("small bank") << 20 << 20;
        QTest::newRow("bank of 546") << 546 << 546;
        QTest::newRow("bank above the minutes limit") << 800 << 546;
        QTest::newRow("bank above the positions limit") << 2000 << 546;
    }

    void capsAtTheBankAndAtTheAttemptLimits()
    {
        QFETCH(int, total);
        QFETCH(int, cap);
        QCOMPARE(QuestionCountRule(total).cap(), cap);
    }
};

QTEST_APPLESS_MAIN(QuestionCountRuleTest)

#include "questioncountrule_test.moc"
