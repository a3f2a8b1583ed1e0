#pragma once

#include <QString>

namespace platform {

// The per-user application settings store.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual void SaveSetting(const QString& application, const QString& section, const QString& key,
        const QString& value)
        = 0;
    // The stored value, or the given default where the key was never saved.
    virtual QString GetSetting(const QString& application, const QString& section, const QString& key,
                               const QString& defaultValue = {}) const = 0;
};

// Settings kept by QSettings in the user's configuration folder, one file per application.
class QtSettingsStore : public SettingsStore {
public:
    void SaveSetting(const QString& application, const QString& section, const QString& key,
        const QString& value) override;
    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) const override;
};

}
