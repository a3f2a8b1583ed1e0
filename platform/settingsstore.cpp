#include "settingsstore.h"

#include <QSettings>

namespace platform {

void QtSettingsStore::SaveSetting(const QString& application, const QString& section, const QString& key,
    const QString& value)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    settings.beginGroup(section);
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
}

QString QtSettingsStore::GetSetting(const QString& application, const QString& section, const QString& key,
                                    const QString& defaultValue) const
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, application, application);
    return settings.value(section + u'/' + key, defaultValue).toString();
}
}
