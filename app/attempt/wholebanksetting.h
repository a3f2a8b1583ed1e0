#pragma once

namespace platform {
class SettingsStore;
}

namespace quizmark {

// The candidate's choice of a draw from the whole bank, kept in the per-user settings beside the
// program's paths; ticked until the candidate first unticks it.
class WholeBankSetting
{
public:
    static bool read(const platform::SettingsStore& settings);
    static void write(platform::SettingsStore& settings, bool wholeBank);
};

} // namespace quizmark
