// Loaded into the installed program (LD_PRELOAD) by scripts/install-check.sh: lists the exams the
// program shows and takes a one-question attempt through the screens, as a candidate would.
// With QUIZMARK_SHOTS=DIR it also saves a picture of the main window at each screen and goes on to
// the score history; QUIZMARK_DARK=1 gives the program the Fusion style and a dark palette first,
// as a desktop's dark theme would.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QPalette>
#include <QStyleFactory>
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

// The main window as it stands, saved as DIR/NAME.png when pictures were asked for.
bool picture(const QString& name)
{
    const QString folder = qEnvironmentVariable("QUIZMARK_SHOTS");
    if (folder.isEmpty())
        return true;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top) && top->isVisible() && top->inherits("quizmark::MDIForm1"))
            return top->grab().save(folder + u'/' + name + QStringLiteral(".png"));
    return false;
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(53, 53, 56));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(60, 60, 64));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(61, 142, 201));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    dark.setColor(QPalette::Light, QColor(80, 80, 84));
    dark.setColor(QPalette::Midlight, QColor(70, 70, 74));
    dark.setColor(QPalette::Mid, QColor(50, 50, 54));
    dark.setColor(QPalette::Dark, QColor(25, 25, 27));
    dark.setColor(QPalette::Shadow, Qt::black);
    return dark;
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
        if (!qEnvironmentVariableIsEmpty("QUIZMARK_SHOTS")) {
            m_steps.insert(m_steps.begin() + 1, [] { return picture(QStringLiteral("examselect")); });
            m_steps.insert(m_steps.end() - 2, [] {
                return visibleControl<QWidget>(QStringLiteral("exam"), QStringLiteral("Command3"))
                    && picture(QStringLiteral("exam"));
            });
            m_steps.push_back([] { return picture(QStringLiteral("results")); });
            m_steps.push_back([] { return click(QStringLiteral("results"), QStringLiteral("Command1")); });
            m_steps.push_back([] {
                return visibleControl<QWidget>(QStringLiteral("history"), QStringLiteral("Plotvane1"))
                    && picture(QStringLiteral("history"));
            });
        }
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
    // The application object is still being made here; the style waits for its event loop.
    if (qEnvironmentVariableIntValue("QUIZMARK_DARK"))
        QTimer::singleShot(0, [] {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(darkPalette());
        });
    new Driver;
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriver)
