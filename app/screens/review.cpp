#include "review.h"
#include "ui_review.h"

#include "accessibletext.h"
#include "attemptprogress.h"
#include "listpicker.h"

#include "module1.h"
#include "screenhost.h"

#include "platform/conversions.h"
#include "platform/eventwait.h"
#include "platform/services.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPixmap>

#include <algorithm>
#include <ranges>

namespace quizmark {

review::review(ScreenHost& host, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::review>())
    , m_host(host)
{
    m_ui->setupUi(this);
    setProperty(ScreenHost::BorderlessProperty, true);
    fillList();
    AccessibleText::nameEntries(m_ui->List1);
    // After every other naming of the entries: the mark ends an entry's accessible name.
    markEntries();
    // Moving through the list picks nothing; Enter, Space or a click on an entry picks it.
    connect(new ListPicker(m_ui->List1), &ListPicker::picked, this, [this](int row) { List1_Click(row); });
    m_ui->List1->setFocus(Qt::OtherFocusReason);
}

review::~review() = default;

void review::fillList()
{
    const std::int16_t questions = Module1.QuestionsToTake;
    for (int i = 1; i <= questions; ++i) {
        Module1.Completed(i) = AttemptProgress::isComplete(Module1, i);
        // The leading blank is the sign place of a positive number written as text.
        m_ui->List1->addItem(QLatin1Char(' ') + platform::integerText(i)
            + (Module1.Completed(i) ? QStringLiteral(" Completed") : QStringLiteral(" Incomplete")));
    }
}

// A marked entry keeps its text; the flag shows the mark and its accessible name tells it. Once
// any entry is flagged, every entry keeps a flag's room, so the texts stay in line.
void review::markEntries()
{
    QListWidget* list = m_ui->List1;
    const auto marked = [](int row) { return Module1.MarkedForReview(row + 1); };
    if (std::ranges::none_of(std::views::iota(0, list->count()), marked))
        return;
    const int side = list->fontMetrics().height();
    list->setIconSize(QSize(side, side));
    QPixmap room(side, side);
    room.fill(Qt::transparent);
    const QIcon flag(QStringLiteral(":/images/flag.png"));
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* entry = list->item(row);
        if (!marked(row)) {
            entry->setIcon(QIcon(room));
            continue;
        }
        const QVariant named = entry->data(Qt::AccessibleTextRole);
        entry->setIcon(flag);
        entry->setData(Qt::AccessibleTextRole,
                       (named.isValid() ? named.toString() : entry->text()) + QStringLiteral(", marked for review"));
    }
}

void review::List1_Click(int row)
{
    if (row < 0 || row >= m_ui->List1->count())
        return;
    pick(static_cast<std::int16_t>(row + 1));
}

void review::pick(std::int16_t position)
{
    if (ItemChosen)
        return;
    ChosenQuestion = position;
    ItemChosen = true;
    m_host.services().wait.wake();
}

// Escape leaves the list as a close does: back to the question that was on screen.
void review::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        pick(Module1.CurrentQuestion);
        return;
    }
    QWidget::keyPressEvent(event);
}

void review::closeEvent(QCloseEvent* event)
{
    pick(Module1.CurrentQuestion);
    event->accept();
}

}
