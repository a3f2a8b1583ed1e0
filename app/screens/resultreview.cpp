#include "resultreview.h"
#include "ui_resultreview.h"

#include "answerticks.h"
#include "attemptreport.h"
#include "attemptscore.h"
#include "bankfilepath.h"
#include "history.h"
#include "results.h"

#include "accessibletext.h"
#include "module1.h"
#include "reportsaver.h"
#include "screenhost.h"

#include "platform/eventwait.h"
#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/runtimeerror.h"
#include "platform/screenprinter.h"
#include "platform/services.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace quizmark {

namespace {

std::int16_t reviewedPosition(ScreenHost& host)
{
    const auto* form = host.window()->findChild<results*>(QStringLiteral("results"));
    if (!form)
        throw platform::RuntimeError(platform::ErrorNumber::ObjectRequired, QStringLiteral("results"));
    return form->ReviewQuestion;
}

const PastReview* pastReview(ScreenHost& host)
{
    const auto* form = host.window()->findChild<history*>(QStringLiteral("history"));
    return form ? form->pastReview() : nullptr;
}

} // namespace

resultreview::resultreview(ScreenHost& host, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::resultreview>())
    , m_host(host)
    , m_files(host.services().files)
{
    m_ui->setupUi(this);
    // The boxes only show; a click must not make them tell something else.
    for (QCheckBox* box : findChildren<QCheckBox*>())
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int option = 1; option <= QuestionRecord::OptionCount; ++option)
        optionBox(option)->installEventFilter(this);
    connect(m_ui->Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(m_ui->previousQuestion, &QPushButton::clicked, this, [this] { moveBy(-1); });
    connect(m_ui->nextQuestion, &QPushButton::clicked, this, [this] { moveBy(1); });
    connect(m_ui->saveReport, &QPushButton::clicked, this, [this] { saveReport_Click(); });

    takeAttempt();
    m_ui->Command1->setFocus(Qt::OtherFocusReason);
}

// A past attempt shows only what the journal kept; the attempt just finished, its questions as
// asked, or the bank where they were not kept.
void resultreview::takeAttempt()
{
    if (const PastReview* past = pastReview(m_host)) {
        m_past = true;
        m_attempt = past->attempt;
        m_ended = past->ended;
        m_ui->Command1->setText(QStringLiteral("Back To History"));
        m_ui->saveReport->setVisible(true);
    } else {
        m_attempt = Module1;
    }
    for (const QByteArray& bytes : m_attempt.AskedRecords)
        m_asked.push_back(QuestionRecord::fromBytes(bytes));
    if (m_asked.size() < std::size_t(std::max<int>(m_attempt.QuestionsToTake, 0))) {
        m_asked.clear();
        m_files.open(FileNumber::QuestionBank,
                     BankFilePath(m_attempt.DataDirectory, m_attempt.CurrentExam.BankFile).path(),
                     QuestionRecord::Length, platform::RecordAccess::ReadOnly);
        m_bankOpen = true;
    }
    showPosition(m_past ? std::int16_t(1) : reviewedPosition(m_host));
}

// However the screen goes, the bank it opened does not stay open behind it.
resultreview::~resultreview()
{
    if (m_bankOpen)
        m_files.close(FileNumber::QuestionBank);
}

void resultreview::showPosition(std::int16_t position)
{
    m_position = position;
    m_record = m_bankOpen
        ? QuestionRecord::read(m_files.file(FileNumber::QuestionBank), m_attempt.QuestionOrder(m_position))
        : m_asked.at(std::size_t(m_position - 1));
    fill();
    nameBoxes();
}

// Moves through the attempt's questions in attempt order, as the results list has them.
void resultreview::moveBy(int step)
{
    const int position = m_position + step;
    if ((!m_bankOpen && m_asked.empty()) || position < 1 || position > m_attempt.QuestionsToTake)
        return;
    showPosition(static_cast<std::int16_t>(position));
}

void resultreview::fill()
{
    m_ui->positionLabel->setText(AttemptReport::positionLine(m_position, m_attempt.QuestionsToTake,
                                                             AttemptScore::matchCount(m_attempt, m_position, m_record),
                                                             m_attempt.CorrectCount(m_position)));
    m_ui->previousQuestion->setEnabled(m_position > 1);
    m_ui->nextQuestion->setEnabled(m_position < m_attempt.QuestionsToTake);
    m_ui->Label2->setText(m_record.Question);
    for (int option = 1; option <= QuestionRecord::OptionCount; ++option)
        optionBox(option)->setCaption(m_record.option(option));
    m_ui->Label1->setText(m_record.Explanation);
    const AnswerTicks ticks = AnswerTicks::of(m_attempt, m_position, m_record);
    for (int option = 1; option <= QuestionRecord::OptionCount; ++option) {
        answerBox(option)->setChecked(ticks.yours[std::size_t(option - 1)]);
        optionBox(option)->setChecked(ticks.correct[std::size_t(option - 1)]);
    }
}

// The answer boxes have no text of their own: each is named after the option beside it.
void resultreview::nameBoxes()
{
    AccessibleText::nameAfter(m_ui->Label2, m_record.Question);
    AccessibleText::nameAfter(m_ui->Label1, m_record.Explanation);
    for (int option = 1; option <= QuestionRecord::OptionCount; ++option) {
        QCheckBox* yours = answerBox(option);
        yours->setAccessibleName(
            QStringLiteral("Your answer: option %1, %2")
                .arg(option)
                .arg(yours->isChecked() ? QStringLiteral("ticked") : QStringLiteral("not ticked")));
        yours->setAccessibleDescription(AccessibleText::withoutPadding(m_record.option(option)));
        optionBox(option)->setAccessibleDescription(
            optionBox(option)->isChecked() ? QStringLiteral("Option %1, a correct answer").arg(option)
                                           : QStringLiteral("Option %1, not a correct answer").arg(option));
    }
}

void resultreview::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Command1_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// An option wraps over as many lines as it needs; its answer box takes the same height, so that the
// two stand level.
bool resultreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && m_ui)
        for (int option = 1; option <= QuestionRecord::OptionCount; ++option)
            if (watched == optionBox(option))
                answerBox(option)->setFixedHeight(optionBox(option)->height());
    return QWidget::eventFilter(watched, event);
}

OptionCheckBox* resultreview::optionBox(int option) const
{
    OptionCheckBox* boxes[] = { m_ui->Check1, m_ui->Check2, m_ui->Check3, m_ui->Check4 };
    return boxes[option - 1];
}

QCheckBox* resultreview::answerBox(int option) const
{
    QCheckBox* boxes[] = { m_ui->Check5, m_ui->Check6, m_ui->Check7, m_ui->Check8 };
    return boxes[option - 1];
}

void resultreview::saveReport_Click()
{
    std::vector<QuestionRecord> questions = m_asked;
    const AttemptScore score = AttemptScore::of(
        m_attempt, [&questions, n = std::size_t(0)](std::int16_t) mutable { return questions.at(n++); });
    ReportSaver::save(m_host.services(), AttemptReport(m_attempt, score, std::move(questions), m_ended));
}

void resultreview::Command1_Click()
{
    m_files.close(FileNumber::QuestionBank);
    m_bankOpen = false;
    ReviewDone = true;
    m_host.services().wait.wake();
}

// Closing by the window frame is "Back To Results": the results screen, which waits for the flag,
// takes this screen away itself.
void resultreview::closeEvent(QCloseEvent* event)
{
    if (!ReviewDone) {
        Command1_Click();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace quizmark
