#include "studymodesetting.h"

#include "settingflag.h"

namespace quizmark {

namespace {
const QString Key = QStringLiteral("Study Mode");
}

// Only a stored "True" ticks: a missing or unreadable value leaves the timed exam as it always was.
bool StudyModeSetting::read(const platform::SettingsStore& settings)
{
    return SettingFlag::read(settings, Key, false);
}

void StudyModeSetting::write(platform::SettingsStore& settings, bool studyMode)
{
    SettingFlag::write(settings, Key, studyMode);
}

} // namespace quizmark
