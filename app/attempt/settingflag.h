#pragma once

#include <QString>

namespace platform {
class SettingsStore;
}

namespace quizmark {

// A yes-or-no choice of the candidate's, kept in the per-user settings beside the program's paths
// as the runtime writes booleans: "True" or "False".
class SettingFlag
{
public:
    // Only the stored text opposite to byDefault changes the answer: a missing or unreadable value
    // keeps the default.
    static bool read(const platform::SettingsStore& settings, const QString& key, bool byDefault);
    static void write(platform::SettingsStore& settings, const QString& key, bool value);
};

} // namespace quizmark
