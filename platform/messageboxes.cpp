#include "messageboxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace platform {

namespace {

constexpr int ButtonMask = 0x0F;
constexpr int IconMask = 0xF0;
constexpr char OpenBoxProperty[] = "quizmarkMessageBox";

QMessageBox::Icon iconFor(int style)
{
    switch (style & IconMask) {
    case MsgBoxStyle::Critical:
        return QMessageBox::Critical;
    case MsgBoxStyle::Question:
        return QMessageBox::Question;
    case MsgBoxStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgBoxStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int resultFor(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return MsgBoxResult::OK;
    case QMessageBox::Yes:
        return MsgBoxResult::Yes;
    case QMessageBox::No:
        return MsgBoxResult::No;
    default:
        return MsgBoxResult::Cancel;
    }
}

}

QtMessageBoxes::QtMessageBoxes(QString defaultTitle)
    : m_defaultTitle(std::move(defaultTitle))
{
}

int QtMessageBoxes::MsgBox(const QString& prompt, int buttons, const QString& title)
{
    return MsgBoxWithLine(prompt, {}, buttons, title);
}

int QtMessageBoxes::MsgBoxWithLine(const QString& prompt, const QString& line, int buttons, const QString& title)
{
    QMessageBox box(iconFor(buttons), title.isEmpty() ? m_defaultTitle : title, prompt, QMessageBox::NoButton,
        m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(line);
    box.setProperty(OpenBoxProperty, true);
    switch (buttons & ButtonMask) {
    case MsgBoxStyle::OKCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgBoxStyle::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    const int button = box.exec();
    return resultFor(QMessageBox::StandardButton(button));
}

int QtMessageBoxes::MsgBoxChoice(const QString& prompt, const QStringList& buttons, int defaultButton,
                                 int cancelButton, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? m_defaultTitle : title, prompt, QMessageBox::NoButton,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setProperty(OpenBoxProperty, true);
    QList<QAbstractButton*> added;
    for (int n = 0; n < buttons.size(); ++n) {
        const auto role = n == cancelButton ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        QPushButton* button = box.addButton(buttons[n], role);
        added.append(button);
        if (n == defaultButton)
            box.setDefaultButton(button);
        if (n == cancelButton)
            box.setEscapeButton(button);
    }
    box.exec();
    const int pressed = int(added.indexOf(box.clickedButton()));
    return pressed < 0 ? cancelButton : pressed;
}

void QtMessageBoxes::closeOpenBoxes()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->property(OpenBoxProperty).toBool())
            box->done(QMessageBox::Cancel);
    }
}

}
