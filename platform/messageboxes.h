#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

// The runtime's message-box flags and results.
namespace MsgBoxStyle {
constexpr int OKOnly = 0;
constexpr int OKCancel = 1;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
}
namespace MsgBoxResult {
constexpr int OK = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
}

// Modal message boxes: a prompt, a set of buttons and an icon, a title; the button pressed.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual int MsgBox(const QString& prompt, int buttons = MsgBoxStyle::OKOnly, const QString& title = {}) = 0;
    // The same box with an informative line below the prompt; without a place of its own for the
    // line, a box adds it to the prompt.
    virtual int MsgBoxWithLine(const QString& prompt, const QString& line, int buttons, const QString& title)
    {
        return MsgBox(line.isEmpty() ? prompt : prompt + QStringLiteral("\n\n") + line, buttons, title);
    }
    // Closes every box still open, as if cancelled; the program uses this when an event ends the
    // step that asked.
    virtual void closeOpenBoxes() = 0;
    // A question whose buttons carry the given captions, with a mnemonic each where they hold one;
    // the index of the button pressed. Enter presses defaultButton; Escape, closing the box or
    // closeOpenBoxes() give cancelButton. A box that cannot ask answers cancelButton.
    virtual int MsgBoxChoice(const QString& prompt, const QStringList& buttons, int defaultButton, int cancelButton,
                             const QString& title = {})
    {
        (void)prompt, (void)buttons, (void)defaultButton, (void)title;
        return cancelButton;
    }
};

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QString defaultTitle);
    void setParent(QWidget* parent) { m_parent = parent; }
    int MsgBox(const QString& prompt, int buttons, const QString& title) override;
    int MsgBoxWithLine(const QString& prompt, const QString& line, int buttons, const QString& title) override;
    void closeOpenBoxes() override;
    int MsgBoxChoice(const QString& prompt, const QStringList& buttons, int defaultButton, int cancelButton,
                     const QString& title) override;

private:
    QString m_defaultTitle;
    QWidget* m_parent = nullptr;
};

}
