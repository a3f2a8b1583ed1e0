#include "questionselect.h"
#include "ui_questionselect.h"

#include "questioncountrule.h"
#include "studymodesetting.h"
#include "wholebanksetting.h"

#include "accessibletext.h"
#include "module1.h"
#include "screenhost.h"

#include "platform/conversions.h"
#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/runtimeerror.h"
#include "platform/services.h"

#include <QCloseEvent>

namespace quizmark {

questionselect::questionselect(ScreenHost& host, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::questionselect>())
    , m_host(host)
{
    m_ui->setupUi(this);
    if (!readExam()) {
        setProperty(ScreenHost::RefusedProperty, true);
        return;
    }
    m_ui->Label4->setText(platform::integerText(ExamRecord.QuestionTotal));
    m_ui->Label1->setText(ExamRecord.ExamName);
    m_ui->wholeBankDraw->setChecked(WholeBankSetting::read(m_host.services().settings));
    connect(m_ui->wholeBankDraw, &QCheckBox::toggled, this,
            [this](bool ticked) { WholeBankSetting::write(m_host.services().settings, ticked); });
    m_ui->studyMode->setChecked(StudyModeSetting::read(m_host.services().settings));
    connect(m_ui->studyMode, &QCheckBox::toggled, this,
            [this](bool ticked) { StudyModeSetting::write(m_host.services().settings, ticked); });
    connect(m_ui->practiceWeakQuestions, &QPushButton::clicked, this, [this] { startAttempt(true); });
    AccessibleText::nameAfter(m_ui->Label1, ExamRecord.ExamName);
    connect(m_ui->Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connect(m_ui->Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Enter in the number box starts the exam as the button does, under the same rules.
    connect(m_ui->Text2, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    m_ui->Text2->setFocus(Qt::OtherFocusReason);
}

questionselect::~questionselect() = default;

// An exam without a question to take cannot be set up: the candidate is told and picks again.
bool questionselect::readExam()
{
    platform::Services& services = m_host.services();
    try {
        platform::RecordFile& catalogue = services.files.open(
            FileNumber::Catalogue, Module1.IndexFilePath, CatalogueRecord::Length, platform::RecordAccess::ReadOnly);
        ExamRecord = CatalogueRecord::read(catalogue, Module1.SelectedExam);
    } catch (const platform::RuntimeError& error) {
        services.files.close(FileNumber::Catalogue);
        services.messages.MsgBox(QStringLiteral("The exam catalogue could not be read:\n%1\n\n%2")
                                     .arg(Module1.IndexFilePath, error.message()),
                                 platform::MsgBoxStyle::Exclamation);
        return false;
    }
    if (ExamRecord.QuestionTotal >= 1)
        return true;
    services.files.close(FileNumber::Catalogue);
    services.messages.MsgBox(QStringLiteral("The exam \"%1\" has no questions to take: the catalogue gives it %2.")
                                 .arg(ExamRecord.ExamName.trimmed(), platform::integerText(ExamRecord.QuestionTotal)),
                             platform::MsgBoxStyle::Exclamation);
    return false;
}

// Closing the set-up is changing one's mind about the exam: back to the selection.
void questionselect::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_host.services().files.close(FileNumber::Catalogue);
    QWidget* selection = m_host.loadScreen(QStringLiteral("examselect"));
    m_host.hideScreen(this);
    m_host.showScreen(selection);
    m_host.unloadScreen(this);
}

// Setting the text runs this again, nested, for the empty text before the outer run goes on.
void questionselect::Text2_Change()
{
    const QuestionCountRule rule(ExamRecord.QuestionTotal);
    if (rule.wipes(m_ui->Text2->text()))
        m_ui->Text2->setText(QString());
    TimeGiven = QuestionCountRule::timeGiven(m_ui->Text2->text());
    m_ui->Label6->setText(platform::integerText(TimeGiven));
}

void questionselect::Command1_Click()
{
    startAttempt(false);
}

// Both starts take the number of questions under the same rules; a weak-question practice then
// draws the candidate's weakest questions of the whole bank.
void questionselect::startAttempt(bool weakPractice)
{
    const QuestionCountRule rule(ExamRecord.QuestionTotal);
    const auto questions = rule.questionsToTake(m_ui->Text2->text());
    if (!questions)
        return;
    Module1.QuestionsToTake = *questions;
    Module1.ExamMinutes = TimeGiven;
    Module1.DrawFromWholeBank = m_ui->wholeBankDraw->isChecked();
    Module1.WeakPractice = weakPractice;
    Module1.StudyMode = m_ui->studyMode->isChecked();
    m_host.services().files.close(FileNumber::Catalogue);
    Module1.CurrentQuestion = 1;
    QWidget* next = m_host.loadScreen(QStringLiteral("exam"));
    // An exam whose bank cannot serve the attempt has said why; the candidate picks again.
    if (next->property(ScreenHost::RefusedProperty).toBool()) {
        m_host.unloadScreen(next);
        next = m_host.loadScreen(QStringLiteral("examselect"));
    }
    m_host.hideScreen(this);
    m_host.showScreen(next);
    m_host.unloadScreen(this);
}

} // namespace quizmark
