#include "platform/clockrandom.h"
#include "platform/eventwait.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace platform;

TEST(RandomSource, RndStaysInTheUnitIntervalAndShufflesArePermutations)
{
    ClockRandom random;
    for (int i = 0; i < 10000; ++i) {
        const float value = random.Rnd();
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
    }
    std::vector<int> order(1000);
    std::iota(order.begin(), order.end(), 1);
    std::shuffle(order.begin(), order.end(), random);
    EXPECT_FALSE(std::is_sorted(order.begin(), order.end()));
    std::sort(order.begin(), order.end());
    EXPECT_EQ(order.front(), 1);
    EXPECT_EQ(order.back(), 1000);
    EXPECT_EQ(std::adjacent_find(order.begin(), order.end()), order.end());
}

TEST(ProgramDirectory, JoinsPathsWithOneSeparatorAlsoAtTheRoot)
{
    EXPECT_EQ(FixedDirectory(QStringLiteral("/opt/quizmark/")).path(), QStringLiteral("/opt/quizmark"));
    EXPECT_EQ(FixedDirectory(QStringLiteral("/opt/quizmark")).filePath(QStringLiteral("dat/index.dat")),
        QStringLiteral("/opt/quizmark/dat/index.dat"));
    EXPECT_EQ(FixedDirectory(QStringLiteral("/")).path(), QStringLiteral("/"));
    EXPECT_EQ(FixedDirectory(QStringLiteral("/")).filePath(QStringLiteral("dat/index.dat")),
        QStringLiteral("/dat/index.dat"));
}

TEST(SettingsStore, ASecondWriteReplacesTheFirst)
{
    QStandardPaths::setTestModeEnabled(true);
    QtSettingsStore store;
    store.SaveSetting(QStringLiteral("quizmark-test"), QStringLiteral("settings"), QStringLiteral("Path"),
        QStringLiteral("/first"));
    store.SaveSetting(QStringLiteral("quizmark-test"), QStringLiteral("settings"), QStringLiteral("Path"),
        QStringLiteral("/second"));
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quizmark-test"),
        QStringLiteral("quizmark-test"));
    EXPECT_EQ(settings.value(QStringLiteral("settings/Path")).toString(), QStringLiteral("/second"));
    EXPECT_EQ(settings.allKeys(), QStringList { QStringLiteral("settings/Path") });
    settings.clear();
}

TEST(SettingsStore, ReadsBackWhatWasWrittenAndTheDefaultOtherwise)
{
    QStandardPaths::setTestModeEnabled(true);
    const QString application = QStringLiteral("quizmark-read-test");
    const QString section = QStringLiteral("settings");
    QtSettingsStore store;
    EXPECT_EQ(store.GetSetting(application, section, QStringLiteral("Never Written"), QStringLiteral("True")),
              QStringLiteral("True"));
    store.SaveSetting(application, section, QStringLiteral("Draw From Whole Bank"), QStringLiteral("False"));
    EXPECT_EQ(store.GetSetting(application, section, QStringLiteral("Draw From Whole Bank"), QStringLiteral("True")),
              QStringLiteral("False"));
    EXPECT_EQ(store.GetSetting(application, QStringLiteral("other"), QStringLiteral("Draw From Whole Bank"), QString()),
              QString());
    QSettings(QSettings::IniFormat, QSettings::UserScope, application, application).clear();
}

TEST(EventWait, RunsEventsUntilTheConditionHoldsAndNests)
{
    int argc = 1;
    char name[] = "services_test";
    char* argv[] = { name, nullptr };
    QCoreApplication application(argc, argv);
    LocalEventLoopWait wait;

    bool outerDone = false;
    bool innerDone = false;
    std::vector<int> order;
    QTimer::singleShot(0, [&] {
        order.push_back(1);
        QTimer::singleShot(0, [&] {
            order.push_back(2);
            innerDone = true;
            outerDone = true; // the outer condition turns true while the inner wait is still running
            wait.wake();
        });
        wait.waitUntil([&] { return innerDone; });
        order.push_back(3);
    });
    wait.waitUntil([&] { return outerDone; });
    order.push_back(4);
    EXPECT_EQ(order, (std::vector<int> { 1, 2, 3, 4 }));
}

TEST(EventWait, GivesUpWhenTheApplicationQuits)
{
    int argc = 1;
    char name[] = "services_test";
    char* argv[] = { name, nullptr };
    QCoreApplication application(argc, argv);
    LocalEventLoopWait wait;
    int checks = 0;
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    wait.waitUntil([&] { return ++checks > 1000; });
    EXPECT_EQ(checks, 1) << "a wait that outlives the event loops spins instead of returning";
}

TEST(RuntimeError, CarriesNumberMessageAndDetail)
{
    const RuntimeError error(ErrorNumber::FileNotFound, QStringLiteral("/x/dat/cpp.dat"));
    EXPECT_EQ(error.number(), 53);
    EXPECT_EQ(error.message(), QStringLiteral("File not found: /x/dat/cpp.dat"));
    EXPECT_STREQ(error.what(), "Run-time error '53': File not found (/x/dat/cpp.dat)");
    EXPECT_EQ(RuntimeError::standardMessage(9), QStringLiteral("Subscript out of range"));
    EXPECT_EQ(RuntimeError::standardMessage(11), QStringLiteral("Division by zero"));
    EXPECT_EQ(RuntimeError::standardMessage(13), QStringLiteral("Type mismatch"));
    EXPECT_EQ(RuntimeError::standardMessage(76), QStringLiteral("Path not found"));
    const RuntimeError custom(32007, QStringLiteral("Drawing failed"), QStringLiteral("Plotvane"), true);
    EXPECT_EQ(custom.description(), QStringLiteral("Drawing failed"));
    EXPECT_EQ(custom.source(), QStringLiteral("Plotvane"));
}
