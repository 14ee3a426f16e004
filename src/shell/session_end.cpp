#include "shell/session_end.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace velsnap {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};

// A signal handler may only write to a descriptor: the other end wakes the
// event loop.
int g_signalWriter = -1;
std::function<void()> g_releasePort;

void onEndSignal(int)
{
    const int saved = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(g_signalWriter, &byte, 1);
    errno = saved;
}

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
{
    g_releasePort = std::move(releasePort);
    static const bool registered = std::atexit(releasePortAtExit) == 0;
    Q_UNUSED(registered);
    g_previousMessageHandler = qInstallMessageHandler(releasePortOnLostWayland);

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_signals) != 0)
        return; // the signals keep their default: the program ends without closing the port
    g_signalWriter = m_signals[0];
    m_notifier = std::make_unique<QSocketNotifier>(m_signals[1], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [reader = m_signals[1], end = std::move(endLikeTheCloseBox)] {
                         char bytes[64]; // one end for any number of signals
                         [[maybe_unused]] const ssize_t drained = ::read(reader, bytes, sizeof bytes);
                         end();
                     });

    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kEndSignals)
        ::sigaction(signal, &action, nullptr);
}

SessionEnd::~SessionEnd()
{
    // The window that these call into goes first.
    g_releasePort = nullptr;
    qInstallMessageHandler(g_previousMessageHandler);
    if (!m_notifier)
        return;
    for (int signal : kEndSignals)
        std::signal(signal, SIG_DFL);
    m_notifier.reset();
    g_signalWriter = -1;
    ::close(m_signals[0]);
    ::close(m_signals[1]);
}

} // namespace velsnap
