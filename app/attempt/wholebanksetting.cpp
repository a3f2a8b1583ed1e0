#include "wholebanksetting.h"

#include "settingflag.h"

namespace quizmark {

namespace {
const QString Key = QStringLiteral("Draw From Whole Bank");
}

// Only a stored "False" unticks: a missing or unreadable value keeps the first-start choice.
bool WholeBankSetting::read(const platform::SettingsStore& settings)
{
    return SettingFlag::read(settings, Key, true);
}

void WholeBankSetting::write(platform::SettingsStore& settings, bool wholeBank)
{
    SettingFlag::write(settings, Key, wholeBank);
}

} // namespace quizmark
