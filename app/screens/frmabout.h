#pragma once

#include "platform/registry.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

namespace Ui {
class frmAbout;
}

namespace platform {
struct Services;
}

namespace quizmark {

// Reads the value SubKeyRef of the key KeyName under KeyRoot as text: a string as stored, a
// 32-bit number as "&h" and eight hexadecimal digits; any other kind leaves KeyVal as it was.
// False, with KeyVal emptied, when the key cannot be opened or the value cannot be read.
bool GetKeyValue(platform::Registry& registry, platform::Registry::Key KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

// The About box: title, version, where to find updates, the legal warning, and a way into the
// system information tool. A window of its own rather than a child screen of the main window.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // Opens the About box not modal over owner's window, or brings up the one already open.
    static void showAbout(platform::Services& services, QWidget* owner);

    explicit frmAbout(platform::Services& services, QWidget* parent = nullptr);
    ~frmAbout() override;

private:
    void Form_Load();
    void StartSysInfo();
    std::optional<QString> registeredTool();
    bool startDesktopViewer();

    std::unique_ptr<Ui::frmAbout> m_ui;
    platform::Services& m_services;
};

} // namespace quizmark
