#pragma once

namespace platform {
class SettingsStore;
}

namespace quizmark {

// The candidate's choice of study mode, kept in the per-user settings; off until first ticked.
class StudyModeSetting
{
public:
    static bool read(const platform::SettingsStore& settings);
    static void write(platform::SettingsStore& settings, bool studyMode);
};

} // namespace quizmark
