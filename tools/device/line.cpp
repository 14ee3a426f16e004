#include "line.h"

#include "stopsignals.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How often presence of the receiver is looked at when poll() cannot wait
// for it.
constexpr milliseconds kPresenceStep{20};

[[noreturn]] void fail(const std::string& what)
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
        cfsetspeed(&t, B57600);
    if (tcsetattr(fd, TCSANOW, &t) != 0)
        fail("tcsetattr");
}

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

Line::Line(const StopSignals& stop) : stop_(stop), pty_(true)
{
    fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        fail("posix_openpt");
    if (grantpt(fd_) != 0 || unlockpt(fd_) != 0)
        fail("grantpt/unlockpt");
    // Settings made on the master apply to the slave; raw at once, or bytes
    // written before the receiver opens it would be cooked and echoed.
    makeRaw(fd_, false);
    const char* name = ptsname(fd_);
    if (!name)
        fail("ptsname");
    path_ = name;
    // The master reports a hang-up only after the slave has been closed at
    // least once; open and close it so that "nobody there" is visible from
    // the start.
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0)
        fail("open " + path_);
    ::close(slave);
}

Line::Line(const StopSignals& stop, const std::string& device) : stop_(stop), path_(device)
{
    fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        fail("open " + device);
    makeRaw(fd_, true);
}

Line::~Line()
{
    ::close(fd_);
}

bool Line::receiverAbsent() const
{
    pollfd p{fd_, 0, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP);
}

bool Line::outputQueued() const
{
    int queued = 0;
    return ::ioctl(fd_, TIOCOUTQ, &queued) == 0 && queued > 0;
}

LineStatus Line::waitForReceiver() const
{
    // While nobody has the slave open poll() keeps reporting POLLHUP, so it
    // cannot block until someone arrives; look again in small steps.
    while (pty_ && receiverAbsent()) {
        if (!stop_.sleep(kPresenceStep))
            return LineStatus::Stopped;
    }
    return LineStatus::Ok;
}

LineStatus Line::await(short events, int timeoutMs) const
{
    pollfd fds[2] = {{fd_, events, 0}, {stop_.fd(), POLLIN, 0}};
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

LineStatus Line::write(std::span<const std::uint8_t> bytes) const
{
    while (!bytes.empty()) {
        // A full buffer with nobody reading gives POLLHUP without POLLOUT;
        // the receiver has gone, so stop instead of waiting for room.
        if (pty_ && receiverAbsent())
            return LineStatus::HungUp;
        if (const LineStatus s = await(POLLOUT, -1); s != LineStatus::Ok)
            return s;
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            if (errno == EIO)
                return LineStatus::HungUp;
            fail("write " + path_);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return LineStatus::Ok;
}

LineStatus Line::read(std::span<std::uint8_t> bytes,
                      std::optional<std::chrono::milliseconds> timeout) const
{
    const auto deadline = Clock::now() + timeout.value_or(milliseconds{0});
    while (!bytes.empty()) {
        const int wait = timeout ? remainingMs(deadline) : -1;
        if (const LineStatus s = await(POLLIN, wait); s != LineStatus::Ok)
            return s;
        const ssize_t n = ::read(fd_, bytes.data(), bytes.size());
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n == 0 || (n < 0 && errno == EIO))
            return LineStatus::HungUp;
        if (n < 0)
            fail("read " + path_);
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return LineStatus::Ok;
}

LineStatus Line::drain(std::chrono::milliseconds limit) const
{
    const auto deadline = Clock::now() + limit;
    while (pty_ ? !receiverAbsent() : outputQueued()) {
        const int left = remainingMs(deadline);
        if (left == 0)
            return LineStatus::TimedOut;
        if (!stop_.sleep(std::min(kPresenceStep, milliseconds{left})))
            return LineStatus::Stopped;
    }
    return LineStatus::Ok;
}

void Line::discardUnsent() const
{
    tcflush(fd_, TCOFLUSH);
}
