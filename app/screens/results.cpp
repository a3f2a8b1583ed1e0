#include "results.h"
#include "ui_results.h"

#include "attemptjournal.h"
#include "attemptreport.h"
#include "bankfilepath.h"
#include "domainscores.h"
#include "resultreview.h"
#include "verdictcolour.h"

#include "accessibletext.h"
#include "listpicker.h"
#include "module1.h"
#include "reportsaver.h"
#include "screenhost.h"
#include "webaddresses.h"

#include "data/questionrecord.h"
#include "platform/clock.h"
#include "platform/conversions.h"
#include "platform/eventwait.h"
#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"
#include "platform/screenprinter.h"
#include "platform/services.h"
#include "platform/webbrowser.h"

#include <QCloseEvent>
#include <QDir>
#include <QPointer>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace quizmark {

namespace {

constexpr auto ResultsFileName = "results.dat";
constexpr auto PdfName = "Exam Result.pdf";
// The bars take whole steps, so a fractional pass mark such as 2.1 of 3 is drawn as its share.
constexpr int BarSteps = 1000;

// A maximum of 0 leaves the bar empty: a range of 0 to 0 would draw a busy indicator instead.
void setBar(QProgressBar* bar, float maximum, float value)
{
    bar->setRange(0, BarSteps);
    const float share = maximum > 0 ? std::clamp(value / maximum, 0.0f, 1.0f) : 0.0f;
    bar->setValue(qRound(share * BarSteps));
}

} // namespace

results::results(ScreenHost& host, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::results>())
    , m_host(host)
{
    m_ui->setupUi(this);
    // Moving through the lines opens nothing; Enter, Space or a click on a line opens its review.
    connect(new ListPicker(m_ui->List1), &ListPicker::picked, this, [this] { requestReview(); });
    connect(m_ui->Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(m_ui->Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(m_ui->print, &QAction::triggered, this, [this] { print_Click(); });
    connect(m_ui->saveReport, &QAction::triggered, this, [this] { saveReport_Click(); });
    connect(m_ui->retryIncorrect, &QPushButton::clicked, this, [this] { retryIncorrect_Click(); });
    connect(m_ui->Exit, &QAction::triggered, this, [this] { m_host.endProgram(); });
    connect(m_ui->Picture1, &BannerPicture::clicked, this,
            [this] { m_host.services().web.open(QString::fromLatin1(WebAddress::ResultsBanner)); });

    m_finished = m_host.services().clock.now();
    // Only a whole timed attempt at the exam goes into the history, which compares those.
    m_practice = !AttemptReport::practiceNote(Module1).isEmpty();
    scoreAttempt();
    showScore();
    writeHistory();
}

results::~results() = default;

void results::scoreAttempt()
{
    m_questions.clear();
    if (Module1.AskedRecords.size() < std::size_t(std::max<int>(Module1.QuestionsToTake, 0))) {
        scoreFromBank();
        return;
    }
    checkBankIsThere();
    // Positions are scored in order, so the n-th record asked is the n-th read.
    m_score = AttemptScore::of(Module1, [this](std::int16_t) {
        m_questions.push_back(QuestionRecord::fromBytes(Module1.AskedRecords[m_questions.size()]));
        return m_questions.back();
    });
}

void results::scoreFromBank()
{
    platform::FileTable& files = m_host.services().files;
    platform::RecordFile& bank
        = files.open(FileNumber::QuestionBank, BankFilePath(Module1.DataDirectory, Module1.CurrentExam.BankFile).path(),
                     QuestionRecord::Length, platform::RecordAccess::ReadOnly);
    m_score = AttemptScore::of(Module1, [this, &bank](std::int16_t number) {
        m_questions.push_back(QuestionRecord::read(bank, number));
        return m_questions.back();
    });
    files.close(FileNumber::QuestionBank);
}

// The attempt stands on the questions it asked; a bank gone meanwhile is only worth a word.
void results::checkBankIsThere()
{
    platform::FileTable& files = m_host.services().files;
    const QString path = BankFilePath(Module1.DataDirectory, Module1.CurrentExam.BankFile).path();
    try {
        files.open(FileNumber::QuestionBank, path, QuestionRecord::Length, platform::RecordAccess::ReadOnly);
    } catch (const platform::RuntimeError& error) {
        m_notices.append(QStringLiteral("The question bank of this exam could not be read at the end of the "
                                        "attempt:\n%1\n\n%2\n\nYour attempt was scored from the questions as "
                                        "they were asked.")
                             .arg(path, error.message()));
    }
    files.close(FileNumber::QuestionBank);
}

void results::showScore()
{
    m_ui->List1->addItems(m_score.lines());
    AccessibleText::nameEntries(m_ui->List1);
    m_ui->List1->setFocus(Qt::OtherFocusReason);
    setBar(m_ui->ProgressBar2, float(m_score.maximumScore()), m_score.passMark());
    setBar(m_ui->ProgressBar1, float(m_score.maximumScore()), float(m_score.score()));
    m_ui->Text1->setText(platform::integerText(m_score.score()));
    m_ui->Text2->setText(platform::singleText(m_score.passMark()));
    m_ui->Text3->setText(platform::integerText(m_score.maximumScore()));
    AccessibleText::nameWithCaption(m_ui->Text1, QStringLiteral("Your score"), m_ui->Text1->text());
    AccessibleText::nameWithCaption(m_ui->Text2, QStringLiteral("Minimum passing score"), m_ui->Text2->text());
    AccessibleText::nameWithCaption(m_ui->Text3, QStringLiteral("Maximum score"), m_ui->Text3->text());
    m_ui->Label6->setText(m_score.passed() ? QStringLiteral("Pass") : QStringLiteral("Fail"));
    m_ui->timeOutLabel->setVisible(Module1.TimeRanOut);
    colourVerdict();
    m_ui->examName->setText(AttemptReport::examName(Module1));
    m_ui->scoreShare->setText(m_score.shareText());
    m_ui->practiceNote->setVisible(m_practice);
    if (m_practice)
        m_ui->practiceNote->setText(AttemptReport::practiceNote(Module1));
    showDomainScores();
    m_ui->retryIncorrect->setEnabled(!m_score.incorrectPositions().empty());
}

// Certification exams are scored by domain: one line each, under the questions.
void results::showDomainScores()
{
    const QStringList lines = DomainScores::of(Module1, m_questions).lines();
    m_ui->domainScores->setVisible(!lines.isEmpty());
    m_ui->domainScores->setText(lines.join(u'\n'));
    AccessibleText::nameWithCaption(m_ui->domainScores, QStringLiteral("Scores by domain"),
                                    lines.join(QStringLiteral("; ")));
}

// The word stays "Pass" or "Fail"; the colour only adds to it.
void results::colourVerdict()
{
    QPalette palette = m_ui->Label6->palette();
    palette.setColor(QPalette::WindowText, verdictColour(this->palette(), m_score.passed()));
    m_ui->Label6->setPalette(palette);
}

void results::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_ui)
        colourVerdict();
}

// The one write of the score history. A history that cannot take the record costs the record, not
// the result: the candidate is told why once the screen is up. A practice retry is not a whole
// attempt at the exam, so the history, which compares those, does not take it.
void results::writeHistory()
{
    platform::Services& services = m_host.services();
    Module1.ResultsFilePath = QDir(services.programDirectory.dataPath()).filePath(QString::fromLatin1(ResultsFileName));
    if (m_practice) {
        finishJournal(0);
        return;
    }
    bool opened = false;
    std::int16_t recordNumber = 0;
    try {
        const BankFilePath target = BankFilePath::inFolderOf(Module1.ResultsFilePath);
        if (!target.isSafe())
            throw platform::RuntimeError(platform::ErrorNumber::PathFileAccessError,
                                         QStringLiteral("%1: %2").arg(Module1.ResultsFilePath, target.problem()));
        platform::RecordFile& history = services.files.open(FileNumber::ScoreHistory, Module1.ResultsFilePath,
                                                            ScoreRecord::Length, platform::RecordAccess::ReadWrite);
        opened = true;
        recordNumber = ScoreRecord::append(history, m_score.record(Module1.SelectedExam));
    } catch (const platform::RuntimeError& error) {
        m_saveFailure = error.message();
    }
    if (opened)
        services.files.close(FileNumber::ScoreHistory);
    finishJournal(recordNumber);
}

// The journal keeps the end beside the score record, which stays exactly as it always was.
void results::finishJournal(std::int16_t scoreRecord)
{
    AttemptJournal* journal = m_host.journal();
    const qint64 id = std::exchange(Module1.JournalId, 0);
    if (!journal || id == 0)
        return;
    AttemptEnd end;
    end.score = m_score.score();
    end.maximumScore = m_score.maximumScore();
    end.passMark = m_score.passMark();
    end.passed = m_score.passed();
    end.ended = m_finished;
    end.timeRanOut = Module1.TimeRanOut;
    end.scoreRecord = scoreRecord;
    for (int position = 1; position <= Module1.QuestionsToTake; ++position)
        end.fullyRight.push_back(m_score.isCorrect(position));
    if (!journal->finish(id, end)) {
        const QString reason = journal->takeProblemToTell();
        if (!reason.isEmpty())
            m_notices.append(QStringLiteral("Your answers cannot be kept for resuming: %1").arg(reason));
    }
}

void results::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_saveFailure.isEmpty() || !m_notices.isEmpty())
        QMetaObject::invokeMethod(this, &results::reportSaveFailure, Qt::QueuedConnection);
}

void results::reportSaveFailure()
{
    for (const QString& notice : std::exchange(m_notices, {}))
        m_host.services().messages.MsgBox(notice, platform::MsgBoxStyle::Exclamation);
    if (m_saveFailure.isEmpty())
        return;
    const QString reason = std::exchange(m_saveFailure, QString());
    m_host.services().messages.MsgBox(
        QStringLiteral("Your score could not be saved to the score history.\n\n%1").arg(reason),
        platform::MsgBoxStyle::Exclamation);
}

// The review runs after the list's own mouse or key handling is over, and once however many
// signals one click gives.
void results::requestReview()
{
    // A release that reaches the list after its press opened a review must not open a second one.
    if (m_reviewPending || m_reviewing || m_ui->List1->currentRow() < 0)
        return;
    m_reviewPending = true;
    QMetaObject::invokeMethod(this, &results::List1_Click, Qt::QueuedConnection);
}

void results::List1_Click()
{
    m_reviewPending = false;
    if (m_reviewing || m_ui->List1->currentRow() < 0)
        return;
    m_reviewing = true;
    ReviewQuestion = static_cast<std::int16_t>(m_ui->List1->currentRow() + 1);
    QPointer<resultreview> review = qobject_cast<resultreview*>(m_host.loadScreen(QStringLiteral("resultreview")));
    if (!review)
        throw platform::RuntimeError(platform::ErrorNumber::ObjectRequired, QStringLiteral("resultreview"));
    m_host.hideScreen(this);
    m_host.showScreen(review);
    review->ReviewDone = false;
    m_host.services().wait.waitUntil([&] { return !review || review->ReviewDone || m_host.programEnded(); });
    m_reviewing = false;
    // Exit during the review has closed every screen's files already; nothing is left to come back to.
    if (m_host.programEnded())
        return;
    if (review) {
        m_host.hideScreen(review);
        m_host.unloadScreen(review);
    }
    m_host.showScreen(this);
    m_ui->List1->setFocus(Qt::OtherFocusReason);
}

void results::Command1_Click()
{
    QWidget* history = m_host.loadScreen(QStringLiteral("history"));
    // Without its chart the history has nothing to show; it has said why, and the results stay.
    if (history->property(ScreenHost::RefusedProperty).toBool()) {
        m_host.unloadScreen(history);
        return;
    }
    m_host.hideScreen(this);
    m_host.showScreen(history);
}

// Closing the results through the frame leads on as "Take A New Exam" does.
void results::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Command2_Click();
}

void results::Command2_Click()
{
    QWidget* next = m_host.loadScreen(QStringLiteral("examselect"));
    m_host.showScreen(next);
    m_host.unloadScreen(this);
}

// Without a printer the image can still be kept, as a PDF file the candidate names.
void results::print_Click()
{
    platform::Services& services = m_host.services();
    const QImage image = grab().toImage();
    if (services.printer.hasDefaultPrinter()) {
        if (!services.printer.print(image))
            services.messages.MsgBox(QStringLiteral("The results could not be printed."),
                                     platform::MsgBoxStyle::Exclamation);
        return;
    }
    const int answer = services.messages.MsgBox(
        QStringLiteral("No printer is set up on this computer.\nSave the results as a PDF file instead?"),
        platform::MsgBoxStyle::YesNo | platform::MsgBoxStyle::Question);
    if (answer != platform::MsgBoxResult::Yes)
        return;
    const QString path
        = services.printer.choosePdfPath(QString::fromLatin1(PdfName), QStringLiteral("Save Results as PDF"));
    if (path.isEmpty())
        return;
    if (!services.printer.saveAsPdf(image, path))
        services.messages.MsgBox(QStringLiteral("The results could not be saved to:\n%1").arg(path),
                                 platform::MsgBoxStyle::Exclamation);
}

// The questions not fully correct go to the next exam start by their bank records, which it draws
// in a new order, with a minute each, on the same exam.
void results::retryIncorrect_Click()
{
    const std::vector<int> positions = m_score.incorrectPositions();
    if (positions.empty())
        return;
    const AttemptState shown = Module1;
    const auto count = static_cast<std::int16_t>(positions.size());
    for (std::int16_t i = 1; i <= count; ++i)
        Module1.RetryRecords(i) = Module1.QuestionOrder(positions[std::size_t(i - 1)]);
    Module1.RetryCount = count;
    Module1.QuestionsToTake = count;
    Module1.ExamMinutes = count;
    Module1.CurrentQuestion = 1;
    QWidget* next = m_host.loadScreen(QStringLiteral("exam"));
    // An exam that could not start has said why; the candidate stays with these results, whose
    // review and report still read the attempt they show.
    if (next->property(ScreenHost::RefusedProperty).toBool()) {
        m_host.unloadScreen(next);
        Module1 = shown;
        return;
    }
    m_host.hideScreen(this);
    m_host.showScreen(next);
    m_host.unloadScreen(this);
}

void results::saveReport_Click()
{
    ReportSaver::save(m_host.services(), AttemptReport(Module1, m_score, m_questions, m_finished));
}

} // namespace quizmark
