// Preloaded into a Qt program, ends it as soon as its first window has painted its first frame,
// so that a script can time start-up from exec to that frame. The program itself knows nothing of it.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWindow>

#include <unistd.h>

namespace {

class FirstFrameExit : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool paints = event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
        auto* window = qobject_cast<QWindow*>(watched);
        if (paints && window && window->isExposed() && !m_ending) {
            m_ending = true;
            // Runs once the event that paints the frame has been handled in full.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { ::_exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_ending = false;
};

void installFirstFrameExit()
{
    QCoreApplication::instance()->installEventFilter(new FirstFrameExit);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstFrameExit)
