#include "examselect.h"
#include "ui_examselect.h"

#include "bankfilepath.h"

#include "accessibletext.h"
#include "module1.h"
#include "screenhost.h"

#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"
#include "platform/services.h"
#include "platform/settingsstore.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <QKeyEvent>

namespace quizmark {

namespace {

constexpr auto CatalogueName = "index.dat";
// The list counts its entries in an Integer.
constexpr int MostExamsListed = 32767;

QString dataDirectory(const platform::ProgramDirectory& program)
{
    return QDir::cleanPath(program.dataPath()) + QLatin1Char('/');
}

// The folder that holds the data directory: the program directory itself for a portable copy.
QString dataDirectoryParent(const platform::ProgramDirectory& program)
{
    return QFileInfo(QDir::cleanPath(program.dataPath())).path();
}

} // namespace

examselect::examselect(ScreenHost& host, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::examselect>())
    , m_host(host)
{
    m_ui->setupUi(this);
    connect(m_ui->List1, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    connect(m_ui->Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Enter or a double click on an exam chooses it, as "Choose" does.
    connect(m_ui->List1, &QListWidget::itemDoubleClicked, this, [this] { Command1_Click(); });
    m_ui->List1->installEventFilter(this);

    platform::Services& services = m_host.services();
    Module1.DataDirectory = dataDirectory(services.programDirectory);
    Module1.IndexFilePath = Module1.DataDirectory + QLatin1String(CatalogueName);
    if (openCatalogue())
        fillList();
    services.settings.SaveSetting(QStringLiteral("quizmark"), QStringLiteral("settings"),
                                  QStringLiteral("Path To Data Files"), dataDirectoryParent(services.programDirectory));
}

examselect::~examselect() = default;

// A catalogue that is missing reads as empty and is never created: the program only reads it.
bool examselect::openCatalogue()
{
    platform::Services& services = m_host.services();
    const BankFilePath catalogue(Module1.DataDirectory, QLatin1String(CatalogueName));
    try {
        if (!catalogue.isSafe())
            throw platform::RuntimeError(platform::ErrorNumber::PathFileAccessError, catalogue.problem());
        services.files.open(FileNumber::Catalogue, Module1.IndexFilePath, CatalogueRecord::Length,
                            platform::RecordAccess::ReadOnly);
    } catch (const platform::RuntimeError& error) {
        if (error.number() == platform::ErrorNumber::PathNotFound)
            services.messages.MsgBox(
                QStringLiteral("The exam data directory was not found:\n%1").arg(Module1.DataDirectory),
                platform::MsgBoxStyle::Exclamation);
        else if (error.number() != platform::ErrorNumber::FileNotFound)
            reportUnreadableCatalogue(error);
        return false;
    }
    m_catalogueOpen = true;
    return true;
}

void examselect::reportUnreadableCatalogue(const platform::RuntimeError& error)
{
    m_host.services().messages.MsgBox(
        QStringLiteral("The exam catalogue could not be read:\n%1\n\n%2").arg(Module1.IndexFilePath, error.message()),
        platform::MsgBoxStyle::Exclamation);
}

// A catalogue that fails part-way lists nothing: a list the file cannot back would mislead.
void examselect::fillList()
{
    platform::RecordFile& catalogue = m_host.services().files.file(FileNumber::Catalogue);
    const qint64 records = CatalogueRecord::count(
        std::min<qint64>(catalogue.length(), MostExamsListed * qint64(CatalogueRecord::Length)));
    QStringList names;
    try {
        for (int i = 1; i <= records; ++i) {
            ExamRecord = CatalogueRecord::read(catalogue, i);
            names.append(ExamRecord.ExamName);
        }
    } catch (const platform::RuntimeError& error) {
        closeCatalogue();
        reportUnreadableCatalogue(error);
        return;
    }
    ExamCount = static_cast<std::int16_t>(records);
    m_ui->List1->addItems(names);
    if (catalogue.length() > MostExamsListed * qint64(CatalogueRecord::Length) + CatalogueRecord::Length / 2)
        m_host.services().messages.MsgBox(
            QStringLiteral(
                "The exam catalogue holds more exams than the list can show; the first 32,767 are listed:\n%1")
                .arg(Module1.IndexFilePath),
            platform::MsgBoxStyle::Information);
    AccessibleText::nameEntries(m_ui->List1);
    if (m_ui->List1->count() > 0)
        m_ui->List1->setCurrentRow(0);
    m_ui->List1->setFocus(Qt::OtherFocusReason);
}

bool examselect::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->List1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Command1_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void examselect::closeCatalogue()
{
    m_host.services().files.close(FileNumber::Catalogue);
    m_catalogueOpen = false;
}

void examselect::List1_Click()
{
    Module1.SelectedExam = static_cast<std::int16_t>(m_ui->List1->currentRow() + 1);
    if (m_ui->List1->count() == 0)
        return;
    ExamRecord = CatalogueRecord::read(m_host.services().files.file(FileNumber::Catalogue), Module1.SelectedExam);
    m_ui->Text1->setPlainText(ExamRecord.Description);
    AccessibleText::nameWithCaption(m_ui->Text1, QStringLiteral("Exam description"), ExamRecord.Description);
}

void examselect::Command1_Click()
{
    // With nothing listed there is no exam to set up.
    if (m_ui->List1->count() == 0 || !m_catalogueOpen)
        return;
    closeCatalogue();
    QWidget* next = m_host.loadScreen(QStringLiteral("questionselect"));
    // An exam the set-up cannot offer has said why; the candidate picks again from this list.
    if (next->property(ScreenHost::RefusedProperty).toBool()) {
        m_host.unloadScreen(next);
        openCatalogue();
        return;
    }
    m_host.hideScreen(this);
    m_host.showScreen(next);
    m_host.unloadScreen(this);
}

// The selection is the first screen: closing it is leaving the program, as Exit is.
void examselect::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_host.endProgram();
}

}
