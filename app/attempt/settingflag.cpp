#include "settingflag.h"

#include "platform/settingsstore.h"

namespace quizmark {

namespace {

const QString Application = QStringLiteral("quizmark");
const QString Section = QStringLiteral("settings");
const QString TrueText = QStringLiteral("True");
const QString FalseText = QStringLiteral("False");

QString textOf(bool value)
{
    return value ? TrueText : FalseText;
}

} // namespace

bool SettingFlag::read(const platform::SettingsStore& settings, const QString& key, bool byDefault)
{
    const QString opposite = textOf(!byDefault);
    const bool changed
        = settings.GetSetting(Application, Section, key, textOf(byDefault)).compare(opposite, Qt::CaseInsensitive) == 0;
    return changed ? !byDefault : byDefault;
}

void SettingFlag::write(platform::SettingsStore& settings, const QString& key, bool value)
{
    settings.SaveSetting(Application, Section, key, textOf(value));
}

} // namespace quizmark
