#include "shell/session_end.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSemaphore>
#include <QSessionManager>
#include <QThread>
#include <cstdlib>
#include <memory>

namespace velsnap {

namespace {

std::function<void()> g_releasePort;

void releasePortAtExit()
{
    if (g_releasePort)
        g_releasePort();
}

// The port belongs to the window's thread. From another thread it is closed
// there, waiting a little for it, because the process ends right after.
void releasePortFromAnyThread()
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application || QThread::currentThread() == application->thread())
        return releasePortAtExit();
    auto done = std::make_shared<QSemaphore>();
    QMetaObject::invokeMethod(
        application,
        [done] {
            releasePortAtExit();
            done->release();
        },
        Qt::QueuedConnection);
    done->tryAcquire(1, 2000);
}

// Qt's Wayland plugin ends the process with _exit(), which passes atexit()
// by, right after it reports a lost connection (from its event thread).
QtMessageHandler g_previousMessageHandler = nullptr;

void releasePortOnLostWayland(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("The Wayland connection")))
        releasePortFromAnyThread();
    g_previousMessageHandler(type, context, message);
}

} // namespace

SessionEnd::SessionEnd(std::function<void()> endLikeTheCloseBox, std::function<void()> releasePort)
    : m_stops(StopSource::Session, endLikeTheCloseBox)
{
    g_releasePort = std::move(releasePort);
    static const bool registered = std::atexit(releasePortAtExit) == 0;
    Q_UNUSED(registered);
    g_previousMessageHandler = qInstallMessageHandler(releasePortOnLostWayland);
#ifdef Q_OS_WIN
    // Qt turns WM_QUERYENDSESSION into a commit request. Not elsewhere: an
    // X11 session manager also asks at checkpoints, when nothing ends.
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, &m_context,
                     [end = std::move(endLikeTheCloseBox)](QSessionManager &) { end(); });
#endif
}

SessionEnd::~SessionEnd()
{
    // The window that these call into goes first.
    g_releasePort = nullptr;
    qInstallMessageHandler(g_previousMessageHandler);
}

} // namespace velsnap
