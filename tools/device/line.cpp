#include "line.h"

#include "serial/line_settings.h"
#include "stopsignals.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace velsnap {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How often a serial device's output queue is looked at while draining.
constexpr milliseconds kDeviceStep{20};
// How long the receiver must have kept the slave open, or closed, before
// that counts: it closes and reopens between copies.
constexpr milliseconds kReceiverSettle{100};

[[noreturn]] void fail(const std::string &what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

void makeRaw(int fd, bool setSpeed)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        fail("tcgetattr");
    cfmakeraw(&t);
    t.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD | CS8;
    if (setSpeed)
        cfsetspeed(&t, speed_t(kDeviceLine.baud)); // glibc takes bits per second, too
    if (tcsetattr(fd, TCSANOW, &t) != 0)
        fail("tcsetattr");
}

// Milliseconds left for poll(): -1 without a deadline.
int pollTimeout(std::optional<Clock::time_point> deadline)
{
    if (!deadline)
        return -1;
    const auto left = std::chrono::ceil<milliseconds>(*deadline - Clock::now());
    return static_cast<int>(std::max<milliseconds::rep>(left.count(), 0));
}

std::optional<Clock::time_point> deadlineAfter(std::optional<milliseconds> limit)
{
    if (!limit)
        return std::nullopt;
    return Clock::now() + *limit;
}

} // namespace

Line::Line(const StopSignals &stop) : m_stop(stop)
{
    m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        fail("posix_openpt");
    if (grantpt(m_fd) != 0 || unlockpt(m_fd) != 0)
        fail("grantpt/unlockpt");
    // Settings made on the master apply to the slave; raw at once, or bytes
    // written before the receiver opens it would be cooked and echoed.
    makeRaw(m_fd, false);
    const char *name = ptsname(m_fd);
    if (!name)
        fail("ptsname");
    m_path = name;
    // The master reports a hang-up only after the slave has been closed at
    // least once, so that "nobody there" shows from the start.
    clearSlaveInput();
    // A hang-up is only a state: a receiver that closes and at once reopens
    // for the next copy would go unseen without the events.
    m_slaveEvents = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_slaveEvents < 0 || inotify_add_watch(m_slaveEvents, name, IN_OPEN | IN_CLOSE) < 0)
        fail("inotify on " + m_path);
}

Line::Line(const StopSignals &stop, const std::string &device) : m_stop(stop), m_path(device)
{
    m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        fail("open " + device);
    makeRaw(m_fd, true);
}

Line::~Line()
{
    if (m_slaveEvents >= 0)
        ::close(m_slaveEvents);
    ::close(m_fd);
}

bool Line::receiverAbsent() const
{
    pollfd p{m_fd, 0, 0};
    return m_slaveEvents >= 0 && ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP);
}

bool Line::receiverLeft()
{
    takeSlaveEvents();
    return m_slaveCloses != m_slaveClosesWhenFound || receiverAbsent();
}

bool Line::outputQueued() const
{
    int queued = 0;
    return ::ioctl(m_fd, TIOCOUTQ, &queued) == 0 && queued > 0;
}

void Line::clearSlaveInput() const
{
    const int slave = ::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    // Busy: a receiver has just taken it for itself, and nothing was sent
    // to it yet.
    if (slave < 0 && errno == EBUSY)
        return;
    if (slave < 0)
        fail("open " + m_path);
    tcflush(slave, TCIFLUSH);
    ::close(slave);
}

void Line::takeSlaveEvents()
{
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_slaveEvents, buffer, sizeof buffer);
        if (n <= 0)
            return;
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            if (event->mask & IN_CLOSE)
                ++m_slaveCloses;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

template <typename Done>
LineStatus Line::waitUntil(Done done, std::optional<Clock::time_point> deadline)
{
    while (!done()) {
        int timeout = pollTimeout(deadline);
        if (timeout == 0)
            return LineStatus::TimedOut;
        if (m_slaveEvents < 0 && (timeout < 0 || timeout > kDeviceStep.count()))
            timeout = static_cast<int>(kDeviceStep.count());
        pollfd fds[2] = {{m_stop.fd(), POLLIN, 0}, {m_slaveEvents, POLLIN, 0}};
        if (::poll(fds, m_slaveEvents >= 0 ? 2 : 1, timeout) < 0 && errno != EINTR)
            fail("poll");
        if (fds[0].revents)
            return LineStatus::Stopped;
    }
    return LineStatus::Ok;
}

template <typename State>
LineStatus Line::awaitSteady(State state, std::optional<Clock::time_point> deadline, milliseconds settle)
{
    const auto settled = [&] {
        takeSlaveEvents();
        return state();
    };
    for (;;) {
        if (const LineStatus s = waitUntil(settled, deadline); s != LineStatus::Ok)
            return s;
        const unsigned closes = m_slaveCloses;
        if (!m_stop.sleep(settle))
            return LineStatus::Stopped;
        if (settled() && m_slaveCloses == closes)
            return LineStatus::Ok;
    }
}

LineStatus Line::waitForReceiver(milliseconds afterOpen, std::span<const std::uint8_t> leftover)
{
    if (m_slaveEvents < 0)
        return LineStatus::Ok;
    // Unlike a serial port, the slave keeps what its last user left unread;
    // the next receiver must not find it.
    if (receiverAbsent()) {
        clearSlaveInput();
        // Fits the slave's input queue, so nothing waits for the receiver.
        if (!leftover.empty() && ::write(m_fd, leftover.data(), leftover.size()) < 0)
            fail("write " + m_path);
    }
    // The receiver may still be setting the port up, and may flush what
    // came before; a short look at the port is no receiver at all.
    const LineStatus status = awaitSteady([this] { return !receiverAbsent(); }, std::nullopt, afterOpen);
    m_slaveClosesWhenFound = m_slaveCloses;
    return status;
}

LineStatus Line::await(short events, int timeoutMs)
{
    pollfd fds[2] = {{m_fd, events, 0}, {m_stop.fd(), POLLIN, 0}};
    for (;;) {
        const int n = ::poll(fds, 2, timeoutMs);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail("poll");
        if (fds[1].revents)
            return LineStatus::Stopped;
        if (n == 0)
            return LineStatus::TimedOut;
        // Pending input is still worth reading after the other end left.
        return (fds[0].revents & events) ? LineStatus::Ok : LineStatus::HungUp;
    }
}

LineStatus Line::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        // A full buffer with nobody reading gives POLLHUP without POLLOUT;
        // the receiver has gone, so stop instead of waiting for room.
        if (receiverAbsent())
            return LineStatus::HungUp;
        if (const LineStatus s = await(POLLOUT, -1); s != LineStatus::Ok)
            return s;
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            if (errno == EIO)
                return LineStatus::HungUp;
            fail("write " + m_path);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return LineStatus::Ok;
}

LineStatus Line::read(std::span<std::uint8_t> bytes, std::optional<milliseconds> timeout)
{
    const auto deadline = deadlineAfter(timeout);
    while (!bytes.empty()) {
        if (const LineStatus s = await(POLLIN, pollTimeout(deadline)); s != LineStatus::Ok)
            return s;
        const ssize_t n = ::read(m_fd, bytes.data(), bytes.size());
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n == 0 || (n < 0 && errno == EIO))
            return LineStatus::HungUp;
        if (n < 0)
            fail("read " + m_path);
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return LineStatus::Ok;
}

LineStatus Line::awaitReceiverClose(milliseconds limit)
{
    const auto deadline = deadlineAfter(limit);
    if (m_slaveEvents < 0)
        return waitUntil([this] { return !outputQueued(); }, deadline);
    return waitUntil([this] { return receiverLeft(); }, deadline);
}

LineStatus Line::awaitNoReceiver(milliseconds limit)
{
    const auto deadline = deadlineAfter(limit);
    if (m_slaveEvents < 0)
        return waitUntil([this] { return !outputQueued(); }, deadline);
    return awaitSteady([this] { return receiverAbsent(); }, deadline, kReceiverSettle);
}

void Line::discardUnsent()
{
    tcflush(m_fd, TCOFLUSH);
}

} // namespace velsnap
