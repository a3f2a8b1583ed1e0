#include "questionselect.h"
#include "ui_questionselect.h"

#include "questioncountrule.h"
#include "wholebanksetting.h"

#include "accessibletext.h"
#include "module1.h"
#include "screenhost.h"

#include "platform/conversions.h"
#include "platform/filetable.h"
#include "platform/services.h"

namespace quizmark {

questionselect::questionselect(ScreenHost& host, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::questionselect>())
    , m_host(host)
{
    m_ui->setupUi(this);
    platform::FileTable& files = m_host.services().files;
    platform::RecordFile& catalogue = files.open(FileNumber::Catalogue, Module1.IndexFilePath,
        CatalogueRecord::Length, platform::RecordAccess::ReadOnly);
    ExamRecord = CatalogueRecord::read(catalogue, Module1.SelectedExam);
    m_ui->Label4->setText(platform::integerText(ExamRecord.QuestionTotal));
    m_ui->Label1->setText(ExamRecord.ExamName);
    m_ui->wholeBankDraw->setChecked(WholeBankSetting::read(m_host.services().settings));
    connect(m_ui->wholeBankDraw, &QCheckBox::toggled, this,
            [this](bool ticked) { WholeBankSetting::write(m_host.services().settings, ticked); });
    AccessibleText::nameAfter(m_ui->Label1, ExamRecord.ExamName);
    connect(m_ui->Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connect(m_ui->Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Enter in the number box starts the exam as the button does, under the same rules.
    connect(m_ui->Text2, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    m_ui->Text2->setFocus(Qt::OtherFocusReason);
}

questionselect::~questionselect() = default;

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
    const QuestionCountRule rule(ExamRecord.QuestionTotal);
    const auto questions = rule.questionsToTake(m_ui->Text2->text());
    if (!questions)
        return;
    Module1.QuestionsToTake = *questions;
    Module1.ExamMinutes = TimeGiven;
    Module1.DrawFromWholeBank = m_ui->wholeBankDraw->isChecked();
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

}
