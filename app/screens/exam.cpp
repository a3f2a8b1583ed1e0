#include "exam.h"
#include "ui_exam.h"

#include "attemptjournal.h"
#include "attemptprogress.h"
#include "attemptscore.h"
#include "bankfilepath.h"
#include "examkeys.h"
#include "frmabout.h"
#include "questiondraw.h"
#include "questionstatistics.h"
#include "review.h"
#include "verdictcolour.h"
#include "weakdraw.h"

#include "accessibletext.h"
#include "module1.h"
#include "screenhost.h"
#include "webaddresses.h"

#include "platform/clock.h"
#include "platform/conversions.h"
#include "platform/eventwait.h"
#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/randomsource.h"
#include "platform/runtimeerror.h"
#include "platform/services.h"
#include "platform/webbrowser.h"

#include "data/bankdomains.h"

#include <QCloseEvent>

#include <algorithm>
#include <array>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace quizmark {

namespace {
// The clock reaches the journal this often at least; a resume loses no more than this.
constexpr int ClockSaveSeconds = 10;
} // namespace

exam::exam(ScreenHost& host, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::exam>())
    , m_host(host)
{
    m_ui->setupUi(this);
    AccessibleText::leadWithCaption(m_ui->Text1);
    AccessibleText::leadWithCaption(m_ui->minutesSecondsLabel);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &exam::Timer1_Timer);
    for (int n = 1; n <= OptionSlots; ++n)
        connect(optionBox(n), &QCheckBox::toggled, this, [this, n] { TickLimit(n); });
    connect(m_ui->Command1, &QPushButton::clicked, this, &exam::Command1_Click);
    connect(m_ui->Command2, &QPushButton::clicked, this, &exam::Command2_Click);
    connect(m_ui->Command3, &QPushButton::clicked, this, &exam::Command3_Click);
    connect(m_ui->Command4, &QPushButton::clicked, this, &exam::Command4_Click);
    for (int n = 1; n <= OptionSlots; ++n)
        connect(optionBox(n), &QCheckBox::clicked, this, &exam::keepTicks);
    connect(m_ui->markForReview, &QCheckBox::toggled, this,
            [](bool marked) { Module1.MarkedForReview(Module1.CurrentQuestion) = marked; });
    connect(m_ui->markForReview, &QCheckBox::clicked, this, [this](bool marked) {
        keep([marked](AttemptJournal& journal, qint64 id) {
            return journal.saveMarked(id, Module1.CurrentQuestion, marked);
        });
    });
    connect(m_ui->pauseButton, &QPushButton::clicked, this, [this] { setPaused(!m_paused); });
    connect(m_ui->checkAnswer, &QPushButton::clicked, this, &exam::checkAnswer);
    connect(m_ui->Exit, &QAction::triggered, this, [this] { m_host.requestEnd(); });
    connect(m_ui->about, &QAction::triggered, this,
            [this] { frmAbout::showAbout(m_host.services(), m_host.window()); });
    connect(m_ui->Picture1, &BannerPicture::clicked, this,
            [this] { m_host.services().web.open(QString::fromLatin1(WebAddress::ExamBanner)); });
    addKeys();

    Module1.TimeRanOut = false;
    const bool resuming = std::exchange(Module1.Resuming, false);
    if (!openFiles(resuming)) {
        setProperty(ScreenHost::RefusedProperty, true);
        return;
    }
    const std::int16_t examSeconds = platform::CInt(Module1.ExamMinutes * 60.0);
    if (resuming) {
        SecondsLeft = static_cast<std::int16_t>(std::clamp(Module1.ResumeSecondsLeft, 0, int(examSeconds)));
    } else {
        drawQuestionOrder();
        resetAttempt(Module1.QuestionsToTake);
        keepAskedRecords();
        SecondsLeft = examSeconds;
        Module1.CurrentQuestion = 1;
    }
    setUpStudyMode();
    m_ui->ProgressBar1->setMaximum(examSeconds);
    m_ui->ProgressBar1->setValue(SecondsLeft);
    m_ui->Text1->setText(platform::integerText(SecondsLeft));
    m_ui->minutesSecondsLabel->setText(AttemptProgress::clockText(SecondsLeft));
    announceTimeLeft();
    TimeFloor = 0;
    RestoreTicks();
    ShowQuestion();
    showPosition();
    if (!resuming)
        beginJournal(examSeconds);
    m_journal = m_host.journal();
    m_host.setAttemptRunning(true);
    // Study mode has no countdown: the time is the candidate's own.
    if (!Module1.StudyMode)
        Timer1.start();
    // Paused once the screen has its size: it takes the size of the question it hides, and the
    // pause comes before its first paint.
    if (resuming && Module1.ResumePaused)
        QMetaObject::invokeMethod(
            this, [this] { setPaused(true); }, Qt::QueuedConnection);
}

// A program that ends during the attempt leaves its clock in the journal, to be resumed from there.
exam::~exam()
{
    if (!m_finished && m_journal && Module1.JournalId != 0)
        m_journal->saveClock(Module1.JournalId, SecondsLeft, m_paused);
}

// Every question drawn is kept as it was asked: the scoring, the review, the report and a resume
// read these, whatever becomes of the bank file meanwhile.
void exam::keepAskedRecords()
{
    platform::FileTable& files = m_host.services().files;
    platform::RecordFile& bank = files.file(FileNumber::QuestionBank);
    Module1.AskedRecords.clear();
    for (int i = 1; i <= Module1.QuestionsToTake; ++i)
        Module1.AskedRecords.push_back(bank.read(Module1.QuestionOrder(i)));
    const BankDomains domains = BankDomains::read(files, FileNumber::BankDomains, bank.path());
    Module1.AskedDomains.clear();
    for (int i = 1; i <= Module1.QuestionsToTake; ++i)
        Module1.AskedDomains.push_back(domains.of(Module1.QuestionOrder(i)));
}

void exam::beginJournal(int examSeconds)
{
    Module1.JournalId = 0;
    AttemptJournal* journal = m_host.journal();
    if (!journal)
        return;
    if (journal->isUsable())
        Module1.JournalId = journal->begin(AttemptStart::of(Module1, m_host.services().clock.now(), examSeconds));
    if (Module1.JournalId == 0)
        tellJournalProblem(*journal);
}

// A journal that cannot keep the attempt never stops it: the candidate is told once, and it runs on.
void exam::keep(const std::function<bool(AttemptJournal&, qint64)>& change)
{
    AttemptJournal* journal = m_host.journal();
    if (!journal || Module1.JournalId == 0)
        return;
    if (change(*journal, Module1.JournalId))
        return;
    Module1.JournalId = 0;
    tellJournalProblem(*journal);
}

void exam::tellJournalProblem(AttemptJournal& journal)
{
    const QString reason = journal.takeProblemToTell();
    if (reason.isEmpty())
        return;
    m_host.services().messages.MsgBox(QStringLiteral("Your answers cannot be kept for resuming: %1").arg(reason),
                                      platform::MsgBoxStyle::Exclamation);
}

// The boxes as the candidate left them, in the slots StoreTicks would give them.
void exam::keepTicks()
{
    Selection selection{};
    std::size_t slot = 0;
    for (int n = 1; n <= OptionSlots; ++n)
        if (optionBox(n)->isChecked())
            selection[slot++] = static_cast<std::int16_t>(n);
    keep([&selection](AttemptJournal& journal, qint64 id) {
        return journal.saveSelections(id, Module1.CurrentQuestion, selection);
    });
}

void exam::keepClock()
{
    keep([this](AttemptJournal& journal, qint64 id) { return journal.saveClock(id, SecondsLeft, m_paused); });
}

// A pause hides the question and stops the clock; the time left is what it was.
void exam::setPaused(bool paused)
{
    if (m_finished || paused == m_paused)
        return;
    m_paused = paused;
    if (paused)
        Timer1.stop();
    else
        Timer1.start();
    m_ui->Text2->setVisible(!paused);
    m_ui->Frame1->setVisible(!paused);
    m_ui->pausedLabel->setVisible(paused);
    for (QWidget* control :
         std::initializer_list<QWidget*>{ m_ui->markForReview, m_ui->Command1, m_ui->Command2, m_ui->Command4 })
        control->setEnabled(!paused);
    if (!paused)
        showPosition();
    m_ui->pauseButton->setText(paused ? QStringLiteral("Res&ume") : QStringLiteral("Pa&use"));
    m_ui->pauseButton->setAccessibleName(paused ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    keepClock();
    if (paused)
        m_ui->pauseButton->setFocus(Qt::OtherFocusReason);
    else
        m_ui->Check1->setFocus(Qt::OtherFocusReason);
}

QCheckBox* exam::optionBox(int n) const
{
    switch (n) {
    case 1:
        return m_ui->Check1;
    case 2:
        return m_ui->Check2;
    case 3:
        return m_ui->Check3;
    default:
        return m_ui->Check4;
    }
}

// The catalogue and the bank stay open for the whole attempt; a bank that cannot serve it is
// refused before anything is read from it.
bool exam::openFiles(bool resuming)
{
    platform::FileTable& files = m_host.services().files;
    // A resumed attempt goes on with the exam as it was asked, whatever the catalogue says now.
    if (!resuming)
        try {
            platform::RecordFile& catalogue = files.open(FileNumber::Catalogue, Module1.IndexFilePath,
                                                         CatalogueRecord::Length, platform::RecordAccess::ReadOnly);
            Module1.CurrentExam = CatalogueRecord::read(catalogue, Module1.SelectedExam);
        } catch (const platform::RuntimeError& error) {
            files.close(FileNumber::Catalogue);
            m_host.services().messages.MsgBox(QStringLiteral("The exam catalogue could not be read:\n%1\n\n%2")
                                                  .arg(Module1.IndexFilePath, error.message()),
                                              platform::MsgBoxStyle::Exclamation);
            return false;
        }

    const BankFilePath bank(Module1.DataDirectory, Module1.CurrentExam.BankFile);
    if (!bank.isSafe())
        return refuseBank(bank.path(), bank.problem());
    qint64 length = 0;
    try {
        length
            = files
                  .open(FileNumber::QuestionBank, bank.path(), QuestionRecord::Length, platform::RecordAccess::ReadOnly)
                  .length();
    } catch (const platform::RuntimeError& error) {
        return refuseBank(bank.path(),
                          error.number() == platform::ErrorNumber::FileNotFound
                              ? QStringLiteral("The file was not found.")
                              : error.message());
    }
    if (resuming)
        return true;
    const qint64 needed = recordsToDrawFrom();
    if (length < needed * QuestionRecord::Length)
        return refuseBank(bank.path(),
                          (Module1.DrawFromWholeBank
                               ? QStringLiteral("It holds %1 whole questions; a draw from the whole bank needs %2.")
                               : QStringLiteral("It holds %1 whole questions; this attempt needs %2."))
                              .arg(length / QuestionRecord::Length)
                              .arg(needed));
    return true;
}

bool exam::refuseBank(const QString& path, const QString& reason)
{
    platform::FileTable& files = m_host.services().files;
    files.close(FileNumber::QuestionBank);
    files.close(FileNumber::Catalogue);
    m_host.services().messages.MsgBox(
        QStringLiteral("The question bank of this exam cannot be used:\n%1\n\n%2").arg(path, reason),
        platform::MsgBoxStyle::Exclamation);
    return false;
}

// The records the draw takes from, 1 up to this: the catalogue's total for a whole-bank draw, and
// never fewer than the attempt's questions.
int exam::recordsToDrawFrom() const
{
    const int questions = std::max<int>(Module1.QuestionsToTake, 1);
    // A weak-question practice looks at every question of the bank.
    const bool wholeBank = Module1.DrawFromWholeBank || Module1.WeakPractice;
    return wholeBank ? std::max<int>(Module1.CurrentExam.QuestionTotal, questions) : questions;
}

// N different records of the whole bank, or records 1..N, or the records a practice retry asks
// again; in random order.
void exam::drawQuestionOrder()
{
    platform::RandomSource& random = m_host.services().random;
    random.Randomize();
    // A practice retry asks exactly the records the results screen handed on.
    Module1.PracticeRetry = Module1.RetryCount > 0;
    if (Module1.PracticeRetry)
        Module1.WeakPractice = false;
    std::vector<std::int16_t> order;
    if (Module1.WeakPractice) {
        order = drawWeakQuestions();
    } else if (Module1.PracticeRetry) {
        std::vector<std::int16_t> records;
        for (int i = 1; i <= Module1.RetryCount; ++i)
            records.push_back(Module1.RetryRecords(i));
        Module1.RetryCount = 0;
        order = QuestionDraw(random).shuffled(std::move(records));
    } else {
        order = QuestionDraw(random).fromWholeBank(std::max<int>(Module1.QuestionsToTake, 1), recordsToDrawFrom());
    }
    for (std::size_t i = 0; i < order.size(); ++i)
        Module1.QuestionOrder(static_cast<int>(i) + 1) = order[i];
}

// The candidate's weakest questions first, by what the journal has seen of the bank as it is now.
std::vector<std::int16_t> exam::drawWeakQuestions()
{
    platform::Services& services = m_host.services();
    platform::RecordFile& bank = services.files.file(FileNumber::QuestionBank);
    const int records = recordsToDrawFrom();
    const QByteArray all = bank.readRecords(1, records);
    std::vector<quint64> fingerprints;
    fingerprints.reserve(std::size_t(records));
    for (qsizetype offset = 0; offset + QuestionRecord::Length <= all.size(); offset += QuestionRecord::Length)
        fingerprints.push_back(
            QuestionStatistics::fingerprint(QByteArrayView(all).sliced(offset, QuestionRecord::Length)));
    QuestionStatistics statistics;
    AttemptJournal* journal = m_host.journal();
    if (journal && journal->isUsable())
        statistics = journal->statistics(Module1.CurrentExam.bankFileName());
    return WeakDraw(services.random)
        .draw(std::max<int>(Module1.QuestionsToTake, 1), fingerprints, statistics, services.clock.now());
}

void exam::resetAttempt(std::int16_t questions)
{
    platform::RecordFile& bank = m_host.services().files.file(FileNumber::QuestionBank);
    for (int i = 1; i <= questions; ++i) {
        Module1.CorrectCount(i)
            = QuestionRecord::correctCount(QuestionRecord::readCorrectOptions(bank, Module1.QuestionOrder(i)));
        Module1.Completed(i) = false;
        Module1.MarkedForReview(i) = false;
        Module1.Checked(i) = false;
        for (int k = 1; k <= OptionSlots; ++k)
            Module1.Selections(i, k) = 0;
    }
}

void exam::ShowQuestion()
{
    const auto asked = std::size_t(Module1.CurrentQuestion - 1);
    QuestionBuffer = asked < Module1.AskedRecords.size()
        ? QuestionRecord::fromBytes(Module1.AskedRecords[asked])
        : QuestionRecord::read(m_host.services().files.file(FileNumber::QuestionBank),
                               Module1.QuestionOrder(Module1.CurrentQuestion));
    m_ui->Text2->setPlainText(QuestionBuffer.Question);
    m_ui->Check1->setCaption(QuestionBuffer.Option1);
    m_ui->Check2->setCaption(QuestionBuffer.Option2);
    m_ui->Check3->setCaption(QuestionBuffer.Option3);
    m_ui->Check4->setCaption(QuestionBuffer.Option4);
    announceQuestion();
}

// A screen reader hears the new question and its position; the candidate answers from its first option.
void exam::announceQuestion()
{
    const QString question = AccessibleText::withoutPadding(QuestionBuffer.Question);
    const QString position = QStringLiteral("Question %1").arg(Module1.CurrentQuestion);
    m_ui->Text2->setAccessibleName(question);
    m_ui->Text2->setAccessibleDescription(position);
    m_ui->Frame1->setAccessibleDescription(position + QStringLiteral(": ") + question);
    // The focus may already be on the first box: its new option is told as a new focus would be.
    if (m_ui->Check1->hasFocus())
        AccessibleText::tellChanged(m_ui->Check1, QAccessible::Focus);
    else
        m_ui->Check1->setFocus(Qt::OtherFocusReason);
}

void exam::addKeys()
{
    auto* keys = new ExamKeys(this);
    connect(keys, &ExamKeys::optionKey, this, [this](int n) { optionBox(n)->click(); });
    connect(keys, &ExamKeys::nextKey, this, &exam::Command1_Click);
    connect(keys, &ExamKeys::previousKey, this, &exam::Command2_Click);
}

void exam::showPosition()
{
    m_ui->positionLabel->setText(AttemptProgress::positionText(Module1.CurrentQuestion, Module1.QuestionsToTake));
    m_ui->markForReview->setChecked(Module1.MarkedForReview(Module1.CurrentQuestion));
    // A move that would lead nowhere is not offered.
    m_ui->Command2->setEnabled(Module1.CurrentQuestion > 1);
    m_ui->Command1->setEnabled(Module1.CurrentQuestion < Module1.QuestionsToTake);
    if (Module1.StudyMode)
        showCheckedAnswer();
}

// Study mode: no clock to watch or pause; the clock row says which mode this is.
void exam::setUpStudyMode()
{
    const bool study = Module1.StudyMode;
    m_ui->checkAnswer->setVisible(study);
    m_ui->pauseButton->setVisible(!study);
    for (QWidget* clock : std::initializer_list<QWidget*>{ m_ui->Text1, m_ui->minutesSecondsLabel, m_ui->ProgressBar1 })
        clock->setVisible(!study);
    if (!study)
        return;
    m_ui->Label1->setText(QStringLiteral("Study mode"));
    // A checked answer's options stay as easy to read as before; only their boxes show the lock.
    for (int n = 1; n <= OptionSlots; ++n) {
        QPalette palette = optionBox(n)->palette();
        palette.setColor(QPalette::Disabled, QPalette::WindowText,
                         palette.color(QPalette::Active, QPalette::WindowText));
        optionBox(n)->setPalette(palette);
    }
}

// The answer on screen is judged as it stands, and stays as it was checked.
void exam::checkAnswer()
{
    const std::int16_t position = Module1.CurrentQuestion;
    if (!Module1.StudyMode || m_finished || Module1.Checked(position))
        return;
    StoreTicks();
    Module1.Checked(position) = true;
    keep([position](AttemptJournal& journal, qint64 id) { return journal.saveChecked(id, position); });
    showCheckedAnswer();
    AccessibleText::tellChanged(m_ui->answerVerdict, QAccessible::NameChanged);
    m_ui->explanationText->setFocus(Qt::OtherFocusReason);
}

// A checked question shows its verdict, its correct options in bold and its explanation, and its
// ticks no longer change; any other shows none of these.
void exam::showCheckedAnswer()
{
    const std::int16_t position = Module1.CurrentQuestion;
    const bool checked = Module1.Checked(position);
    m_ui->checkAnswer->setEnabled(!checked);
    m_ui->studyFeedback->setVisible(checked);
    std::array<bool, OptionSlots> correct{};
    for (int slot = 1; slot <= Module1.CorrectCount(position) && slot <= OptionSlots; ++slot) {
        const std::int16_t option = QuestionBuffer.correctOption(slot);
        if (option >= 1 && option <= OptionSlots)
            correct[std::size_t(option - 1)] = true;
    }
    for (int n = 1; n <= OptionSlots; ++n) {
        QCheckBox* box = optionBox(n);
        box->setEnabled(!checked);
        QFont font = box->font();
        font.setBold(checked && correct[std::size_t(n - 1)]);
        box->setFont(font);
        box->setAccessibleDescription(!checked ? QString()
                                          : correct[std::size_t(n - 1)]
                                          ? QStringLiteral("Option %1, a correct answer").arg(n)
                                          : QStringLiteral("Option %1, not a correct answer").arg(n));
    }
    if (!checked)
        return;
    const bool right = AttemptScore::answeredCorrectly(Module1, position, QuestionBuffer);
    m_ui->answerVerdict->setText(right ? QStringLiteral("Correct") : QStringLiteral("Incorrect"));
    QPalette palette = m_ui->answerVerdict->palette();
    palette.setColor(QPalette::WindowText, verdictColour(this->palette(), right));
    m_ui->answerVerdict->setPalette(palette);
    m_ui->explanationText->setPlainText(AccessibleText::withoutPadding(QuestionBuffer.Explanation));
}

// Ticks are stored in box order; the slots left over are cleared, so an option the candidate
// unticked is neither restored nor scored.
void exam::StoreTicks()
{
    const std::int16_t position = Module1.CurrentQuestion;
    int slot = 1;
    for (int n = 1; n <= OptionSlots; ++n)
        if (optionBox(n)->isChecked())
            Module1.Selections(position, slot++) = static_cast<std::int16_t>(n);
    for (; slot <= OptionSlots; ++slot)
        Module1.Selections(position, slot) = 0;
}

void exam::untickAll()
{
    for (int n = 1; n <= OptionSlots; ++n)
        optionBox(n)->setChecked(false);
}

void exam::RestoreTicks()
{
    const std::int16_t position = Module1.CurrentQuestion;
    for (int slot = 1; slot <= Module1.CorrectCount(position); ++slot) {
        const std::int16_t option = Module1.Selections(position, slot);
        if (option >= 1 && option <= OptionSlots)
            optionBox(option)->setChecked(true);
    }
}

// No more boxes stay ticked than the question has correct options.
void exam::TickLimit(int box)
{
    int others = 0;
    for (int n = 1; n <= OptionSlots; ++n)
        if (n != box && optionBox(n)->isChecked())
            ++others;
    if (others == Module1.CorrectCount(Module1.CurrentQuestion))
        optionBox(box)->setChecked(false);
}

void exam::moveTo(std::int16_t position)
{
    StoreTicks();
    untickAll();
    Module1.CurrentQuestion = position;
    RestoreTicks();
    ShowQuestion();
    showPosition();
    keep([position](AttemptJournal& journal, qint64 id) { return journal.savePosition(id, position); });
}

void exam::Command1_Click()
{
    if (Module1.CurrentQuestion >= Module1.QuestionsToTake)
        return;
    moveTo(static_cast<std::int16_t>(Module1.CurrentQuestion + 1));
}

void exam::Command2_Click()
{
    if (Module1.CurrentQuestion <= 1)
        return;
    moveTo(static_cast<std::int16_t>(Module1.CurrentQuestion - 1));
}

void exam::Timer1_Timer()
{
    if (m_finished || m_paused)
        return;
    if (SecondsLeft <= TimeFloor) {
        Module1.TimeRanOut = true;
        FinishAttempt();
        return;
    }
    SecondsLeft = platform::subtractInteger(SecondsLeft, 1);
    m_ui->Text1->setText(platform::integerText(SecondsLeft));
    m_ui->minutesSecondsLabel->setText(AttemptProgress::clockText(SecondsLeft));
    m_ui->ProgressBar1->setValue(SecondsLeft);
    if (AccessibleText::announcesTimeLeft(SecondsLeft))
        announceTimeLeft();
    if (SecondsLeft % ClockSaveSeconds == 0)
        keepClock();
}

// The time left reaches a screen reader only now and then; the display itself changes every second.
void exam::announceTimeLeft()
{
    m_ui->Text1->setAccessibleDescription(AccessibleText::timeLeft(SecondsLeft));
}

void exam::Command3_Click()
{
    const QPointer<exam> self(this);
    // The question on screen counts as it stands now.
    StoreTicks();
    const int answer = m_host.services().messages.MsgBoxWithLine(
        QStringLiteral("Are you sure you want to end exam ?"), AttemptProgress(Module1).endExamLine(),
        platform::MsgBoxStyle::OKCancel, QStringLiteral("End Exam"));
    // The time may have run out while the box was open: the attempt has then ended already.
    if (!self || m_finished || m_host.programEnded())
        return;
    Confirmation = answer;
    if (Confirmation == platform::MsgBoxResult::OK)
        FinishAttempt();
}

// Closing the exam through its frame asks what End Exam asks: nothing is dropped without a word.
void exam::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (!m_finished)
        Command3_Click();
}

void exam::Command4_Click()
{
    StoreTicks();
    untickAll();
    m_host.hideScreen(this);
    auto* list = qobject_cast<review*>(m_host.loadScreen(QStringLiteral("review")));
    m_review = list;
    m_host.showScreen(list);
    list->ItemChosen = false;

    const QPointer<exam> self(this);
    const QPointer<review> shown(list);
    ScreenHost* host = &m_host;
    m_host.services().wait.waitUntil([self, shown, host] {
        return !self || self->m_finished || !shown || shown->ItemChosen || host->programEnded();
    });
    if (!self || m_finished || m_host.programEnded())
        return;

    // A list closed without a pick is gone by now; the candidate returns to the same question.
    const std::int16_t chosen = m_review && m_review->ItemChosen ? m_review->ChosenQuestion : Module1.CurrentQuestion;
    if (m_review) {
        m_host.hideScreen(m_review);
        m_host.unloadScreen(m_review);
    }
    m_review = nullptr;
    Module1.CurrentQuestion = chosen;
    untickAll();
    RestoreTicks();
    ShowQuestion();
    showPosition();
    keep([chosen](AttemptJournal& journal, qint64 id) {
        std::vector<bool> completed;
        for (int position = 1; position <= Module1.QuestionsToTake; ++position)
            completed.push_back(Module1.Completed(position));
        return journal.saveCompleted(id, completed) && journal.savePosition(id, chosen);
    });
    m_host.showScreen(this);
    m_ui->Check1->setFocus(Qt::OtherFocusReason);
}

// Ends the attempt exactly once, whichever comes first: the confirmed End Exam or the time-out.
void exam::FinishAttempt()
{
    if (m_finished)
        return;
    m_finished = true;
    Timer1.stop();
    m_host.setAttemptRunning(false);
    platform::Services& services = m_host.services();
    // During the item review the boxes are cleared and the ticks of the question are stored already.
    if (!m_review)
        StoreTicks();
    keepClock();
    services.messages.closeOpenBoxes();
    if (m_review)
        m_host.unloadScreen(m_review);
    services.wait.wake();
    services.files.close(FileNumber::Catalogue);
    services.files.close(FileNumber::QuestionBank);
    m_host.hideScreen(this);
    QWidget* results = m_host.loadScreen(QStringLiteral("results"));
    m_host.showScreen(results);
    m_host.unloadScreen(this);
}

} // namespace quizmark
