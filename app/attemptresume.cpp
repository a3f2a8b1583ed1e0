#include "attemptresume.h"

#include "module1.h"
#include "screenhost.h"

#include "attemptjournal.h"
#include "attemptprogress.h"
#include "bankfilepath.h"
#include "journaledattempt.h"

#include "data/questionrecord.h"
#include "platform/filetable.h"
#include "platform/messageboxes.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"
#include "platform/services.h"

#include <QDir>
#include <QWidget>

#include <optional>

namespace quizmark {

namespace {
constexpr auto CatalogueName = "index.dat";
}

AttemptResume::AttemptResume(ScreenHost& host)
    : m_host(host)
{
}

// A study attempt has no clock: what is left of its time would mean nothing.
QString AttemptResume::foundText(const JournaledAttempt& attempt)
{
    const QString where = attempt.study
        ? QStringLiteral("in study mode")
        : QStringLiteral("%1 left").arg(AttemptProgress::clockText(attempt.secondsLeft));
    return QStringLiteral("An unfinished attempt at \"%1\" was found: question %2 of %3, %4.")
        .arg(attempt.exam.ExamName.trimmed())
        .arg(attempt.position)
        .arg(attempt.questions.size())
        .arg(where);
}

// As the exam selection names it: the data path with a closing slash.
QString AttemptResume::dataDirectory() const
{
    return QDir::cleanPath(m_host.services().programDirectory.dataPath()) + QLatin1Char('/');
}

bool AttemptResume::offer()
{
    AttemptJournal* journal = m_host.journal();
    if (!journal)
        return false;
    tellMovedAside(*journal);
    bool resumed = false;
    for (qint64 id : journal->claimUnheldRunning()) {
        // Once one goes on, the rest wait for the next start, free for another instance meanwhile.
        if (resumed || !offerOne(*journal, id))
            journal->release(id);
        resumed = resumed || Module1.JournalId == id;
    }
    return resumed;
}

void AttemptResume::tellMovedAside(AttemptJournal& journal)
{
    if (journal.movedAside().isEmpty())
        return;
    m_host.services().messages.MsgBox(
        QStringLiteral("The attempt journal was damaged and has been moved to:\n%1\n\nA new journal has been started.")
            .arg(QDir::toNativeSeparators(journal.movedAside())),
        platform::MsgBoxStyle::Exclamation);
}

// True while the attempt stays claimed here: resumed, or kept running after a resume that failed.
bool AttemptResume::offerOne(AttemptJournal& journal, qint64 id)
{
    const std::optional<JournaledAttempt> attempt = journal.attempt(id);
    if (!attempt || attempt->questions.empty())
        return false;
    platform::MessageBoxes& messages = m_host.services().messages;
    if (!bankUnchanged(*attempt)) {
        const int answer = messages.MsgBoxChoice(
            foundText(*attempt)
                + QStringLiteral(" Its question bank has changed or is missing since, so it cannot be resumed."),
            { QStringLiteral("Discard") }, 0, -1, QStringLiteral("Unfinished attempt"));
        if (answer == 0)
            journal.abandon(id);
        return false;
    }
    enum Button
    {
        Resume,
        Discard
    };
    const int answer = messages.MsgBoxChoice(foundText(*attempt) + QStringLiteral(" Resume it?"),
                                             { QStringLiteral("Resume"), QStringLiteral("Discard") }, Resume, -1,
                                             QStringLiteral("Unfinished attempt"));
    if (answer == Discard) {
        journal.abandon(id);
        return false;
    }
    return answer == Resume && resume(*attempt);
}

// Every drawn record must still hold the bytes that were asked: another question under the same
// number would be scored against answers given to the old one.
bool AttemptResume::bankUnchanged(const JournaledAttempt& attempt)
{
    const BankFilePath bank(dataDirectory(), attempt.exam.BankFile);
    if (!bank.isSafe())
        return false;
    platform::FileTable& files = m_host.services().files;
    bool same = true;
    try {
        platform::RecordFile& file = files.open(FileNumber::QuestionBank, bank.path(), QuestionRecord::Length,
                                                platform::RecordAccess::ReadOnly);
        for (const AskedQuestion& question : attempt.questions)
            same = same && file.read(question.recordNumber) == question.record;
    } catch (const platform::RuntimeError&) {
        same = false;
    }
    files.close(FileNumber::QuestionBank);
    return same;
}

bool AttemptResume::resume(const JournaledAttempt& attempt)
{
    const AttemptState before = Module1;
    Module1.DataDirectory = dataDirectory();
    Module1.IndexFilePath = Module1.DataDirectory + QLatin1String(CatalogueName);
    attempt.restoreInto(Module1);
    Module1.RetryCount = 0;
    Module1.Resuming = true;
    Module1.ResumeSecondsLeft = attempt.secondsLeft;
    Module1.ResumePaused = attempt.paused;
    // The selection shown behind the offer holds the catalogue open; the attempt goes on without it.
    QWidget* selection = m_host.window()->findChild<QWidget*>(QStringLiteral("examselect"));
    if (selection)
        m_host.services().files.close(FileNumber::Catalogue);
    QWidget* screen = m_host.loadScreen(QStringLiteral("exam"));
    if (screen->property(ScreenHost::RefusedProperty).toBool()) {
        m_host.unloadScreen(screen);
        Module1 = before;
        if (selection) {
            m_host.unloadScreen(selection);
            m_host.showScreen(m_host.loadScreen(QStringLiteral("examselect")));
        }
        return false;
    }
    if (selection)
        m_host.unloadScreen(selection);
    m_host.showScreen(screen);
    return true;
}

} // namespace quizmark
