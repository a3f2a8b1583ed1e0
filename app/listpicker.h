#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QListWidget;

namespace quizmark {

// Lets a list be walked before anything happens: the arrow keys, Home, End, Page Up, Page Down and
// typing an entry's number only move the selection; Enter, Space, a click or a double click on an
// entry pick it. Entry n of the list is the one numbered n.
class ListPicker : public QObject
{
    Q_OBJECT

public:
    explicit ListPicker(QListWidget* list);

signals:
    // The candidate picked the entry in this row.
    void picked(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pickCurrent();
    void typeDigit(QChar digit);

    QListWidget* m_list;
    QString m_typed;
    QElapsedTimer m_sinceTyped;
};

} // namespace quizmark
