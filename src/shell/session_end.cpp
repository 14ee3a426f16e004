#include "shell/session_end.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
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

} // namespace

SessionEnd::SessionEnd(std::function<void()> endLikeTheCloseBox, std::function<void()> releasePort)
{
    g_releasePort = std::move(releasePort);
    static const bool registered = std::atexit(releasePortAtExit) == 0;
    Q_UNUSED(registered);

    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_signals) != 0)
        return; // the signals keep their default: the program ends without closing the port
    g_signalWriter = m_signals[0];
    m_notifier = std::make_unique<QSocketNotifier>(m_signals[1], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [end = std::move(endLikeTheCloseBox)] { end(); });

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
