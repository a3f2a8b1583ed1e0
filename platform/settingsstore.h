#pragma once

#include <QString>

namespace platform {

// The per-user application settings store; the program only writes to it.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual void SaveSetting(const QString& application, const QString& section, const QString& key,
        const QString& value)
        = 0;
};

// Settings kept by QSettings in the user's configuration folder, one file per application.
class QtSettingsStore : public SettingsStore {
public:
    void SaveSetting(const QString& application, const QString& section, const QString& key,
        const QString& value) override;
};

}
