#include "platform/linux/signal_notifier.h"

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace velsnap {

namespace {

// A signal handler may only write to a descriptor; the other end wakes the event loop.
int g_signalWriter = -1;

void onSignal(int signalNumber)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_signalWriter, &byte, 1);
    errno = saved;
}

} // namespace

SignalNotifier::SignalNotifier(std::initializer_list<int> signalNumbers, std::function<void(int)> handler)
    : m_signals(signalNumbers)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_pipe) != 0)
        return; // the signals keep their defaults
    g_signalWriter = m_pipe[0];
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[1], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [reader = m_pipe[1], handler = std::move(handler)] {
                         unsigned char byte = 0;
                         while (::read(reader, &byte, 1) == 1)
                             handler(byte);
                     });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : m_signals)
        ::sigaction(signalNumber, &action, nullptr);
}

SignalNotifier::~SignalNotifier()
{
    if (!m_notifier)
        return;
    for (const int signalNumber : m_signals)
        std::signal(signalNumber, SIG_DFL);
    m_notifier.reset();
    g_signalWriter = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

} // namespace velsnap
