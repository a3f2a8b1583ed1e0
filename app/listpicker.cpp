#include "listpicker.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>

namespace quizmark {

ListPicker::ListPicker(QListWidget* list)
    : QObject(list)
    , m_list(list)
{
    list->installEventFilter(this);
    connect(list, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) { emit picked(m_list->row(item)); });
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit picked(m_list->row(item)); });
}

bool ListPicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_list || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        pickCurrent();
        return true;
    default:
        break;
    }
    const QString text = key->text();
    if (text.size() == 1 && text.at(0).isDigit()) {
        typeDigit(text.at(0));
        return true;
    }
    return false;
}

void ListPicker::pickCurrent()
{
    const int row = m_list->currentRow();
    if (row >= 0)
        emit picked(row);
}

// Digits typed in quick succession make one number, as typing a name does in any list.
void ListPicker::typeDigit(QChar digit)
{
    if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_sinceTyped.start();
    m_typed += digit;
    int number = m_typed.toInt();
    if (number < 1 || number > m_list->count()) {
        m_typed = digit;
        number = m_typed.toInt();
    }
    if (number >= 1 && number <= m_list->count())
        m_list->setCurrentRow(number - 1);
}

} // namespace quizmark
