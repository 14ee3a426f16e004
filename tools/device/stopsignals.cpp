#include "stopsignals.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/signalfd.h>
#include <system_error>
#include <unistd.h>

namespace velsnap {

namespace {

// Never reads the descriptor: a pending signal keeps it readable, so once
// raised every later wait returns at once.
bool pollFor(int fd, int timeoutMs)
{
    pollfd p{fd, POLLIN, 0};
    for (;;) {
        const int n = ::poll(&p, 1, timeoutMs);
        if (n >= 0)
            return n > 0;
        if (errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "poll");
    }
}

} // namespace

StopSignals::StopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0)
        throw std::system_error(errno, std::generic_category(), "sigprocmask");
    m_fd = signalfd(-1, &set, SFD_CLOEXEC);
    if (m_fd < 0)
        throw std::system_error(errno, std::generic_category(), "signalfd");
}

StopSignals::~StopSignals()
{
    ::close(m_fd);
}

bool StopSignals::sleep(std::chrono::milliseconds duration) const
{
    return !pollFor(m_fd, static_cast<int>(duration.count()));
}

void StopSignals::waitForever() const
{
    pollFor(m_fd, -1);
}

} // namespace velsnap
