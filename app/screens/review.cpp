#include "review.h"
#include "ui_review.h"

#include "module1.h"
#include "screenhost.h"

#include "platform/conversions.h"
#include "platform/eventwait.h"
#include "platform/services.h"

#include <QCloseEvent>

namespace quizmark {

review::review(ScreenHost& host, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::review>())
    , m_host(host)
{
    m_ui->setupUi(this);
    setProperty(ScreenHost::BorderlessProperty, true);
    fillList();
    // Selection, not the current row: the list makes its first row current on focus without a pick.
    connect(m_ui->List1, &QListWidget::itemSelectionChanged, this, [this] { List1_Click(); });
}

review::~review() = default;

void review::fillList()
{
    const std::int16_t questions = Module1.QuestionsToTake;
    for (int i = 1; i <= questions; ++i) {
        int stored = 0;
        for (int j = 1; j <= OptionSlots; ++j)
            if (Module1.Selections(i, j) > 0)
                ++stored;
        Module1.Completed(i) = stored == Module1.CorrectCount(i);
        // The leading blank is the sign place of a positive number written as text.
        m_ui->List1->addItem(QLatin1Char(' ') + platform::integerText(i)
            + (Module1.Completed(i) ? QStringLiteral(" Completed") : QStringLiteral(" Incomplete")));
    }
}

void review::List1_Click()
{
    const int row = m_ui->List1->currentRow();
    if (m_ui->List1->selectedItems().isEmpty() || row < 0)
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

void review::closeEvent(QCloseEvent* event)
{
    pick(Module1.CurrentQuestion);
    event->accept();
}

}
