// Loaded into the installed program (LD_PRELOAD) by scripts/install-check.sh: lists the exams the
// program shows and takes a one-question attempt through the screens, as a candidate would.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int PollMilliseconds = 100;
constexpr int GiveUpAfterPolls = 300;

// A visible widget of that name inside a visible screen of that name.
template <typename T> T* visibleControl(const QString& screen, const QString& control)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        for (QWidget* form : top->findChildren<QWidget*>(screen))
            if (form->isVisible())
                if (T* widget = form->findChild<T*>(control); widget && widget->isVisible())
                    return widget;
    return nullptr;
}

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Each step waits for what it needs to appear; true when it has done its part.
class Driver : public QObject
{
public:
    Driver()
    {
        m_steps = {
            [] { return listExams(); },
            [] { return click(QStringLiteral("examselect"), QStringLiteral("Command1")); },
            [] { return typeCount(); },
            [] { return click(QStringLiteral("questionselect"), QStringLiteral("Command1")); },
            [] { return endExam(); },
            [] { return visibleControl<QWidget>(QStringLiteral("results"), QStringLiteral("Label6")) != nullptr; },
        };
        connect(&m_timer, &QTimer::timeout, this, &Driver::poll);
        m_timer.start(PollMilliseconds);
    }

private:
    static bool listExams()
    {
        auto* list = visibleControl<QListWidget>(QStringLiteral("examselect"), QStringLiteral("List1"));
        if (!list)
            return false;
        for (int row = 0; row < list->count(); ++row)
            say(QStringLiteral("exam: ") + list->item(row)->text().trimmed());
        return true;
    }

    static bool click(const QString& screen, const QString& button)
    {
        auto* control = visibleControl<QAbstractButton>(screen, button);
        if (!control)
            return false;
        control->click();
        return true;
    }

    static bool typeCount()
    {
        auto* count = visibleControl<QLineEdit>(QStringLiteral("questionselect"), QStringLiteral("Text2"));
        if (!count)
            return false;
        count->setText(QStringLiteral("1"));
        return true;
    }

    // The confirmation is modal: it is answered from the event loop it runs.
    static bool endExam()
    {
        auto* end = visibleControl<QAbstractButton>(QStringLiteral("exam"), QStringLiteral("Command3"));
        if (!end)
            return false;
        QTimer::singleShot(PollMilliseconds, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                    ok->click();
        });
        end->click();
        return true;
    }

    void poll()
    {
        if (m_next < m_steps.size() && m_steps[m_next]())
            ++m_next;
        if (m_next == m_steps.size()) {
            say(QStringLiteral("attempt: finished"));
            QCoreApplication::exit(0);
        } else if (++m_polls > GiveUpAfterPolls) {
            say(QStringLiteral("stuck at step %1").arg(m_next + 1));
            QCoreApplication::exit(1);
        }
    }

    QTimer m_timer;
    std::vector<std::function<bool()>> m_steps;
    std::size_t m_next = 0;
    int m_polls = 0;
};

void startDriver()
{
    new Driver;
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriver)
