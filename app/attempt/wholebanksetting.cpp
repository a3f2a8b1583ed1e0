#include "wholebanksetting.h"

#include "platform/settingsstore.h"

#include <QString>

namespace quizmark {

namespace {

const QString Application = QStringLiteral("quizmark");
const QString Section = QStringLiteral("settings");
const QString Key = QStringLiteral("Draw From Whole Bank");
// Booleans as the runtime writes them as text.
const QString TrueText = QStringLiteral("True");
const QString FalseText = QStringLiteral("False");

} // namespace

// Only a stored "False" unticks: a missing or unreadable value keeps the first-start choice.
bool WholeBankSetting::read(const platform::SettingsStore& settings)
{
    return settings.GetSetting(Application, Section, Key, TrueText).compare(FalseText, Qt::CaseInsensitive) != 0;
}

void WholeBankSetting::write(platform::SettingsStore& settings, bool wholeBank)
{
    settings.SaveSetting(Application, Section, Key, wholeBank ? TrueText : FalseText);
}

} // namespace quizmark
