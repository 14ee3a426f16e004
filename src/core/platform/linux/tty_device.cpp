#include "platform/linux/tty_device.h"

#include "platform/linux/open_failure.h"
#include "platform/linux/port_holder.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace velsnap {

namespace {

tcflag_t dataBitsFlag(int bits)
{
    switch (bits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

} // namespace

std::unique_ptr<PortDevice> makePortDevice(PortDevice::Events events)
{
    return std::make_unique<TtyDevice>(std::move(events));
}

TtyDevice::TtyDevice(Events events) : m_events(std::move(events))
{}

TtyDevice::~TtyDevice()
{
    close();
}

bool TtyDevice::refuse(TtyOpenError error, int systemErrno)
{
    m_openError = error;
    m_systemError = systemErrno ? QString::fromLocal8Bit(std::strerror(systemErrno)) : QString();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_lock.reset();
    return false;
}

bool TtyDevice::open(const QString &device, const LineSettings &settings)
{
    // The lock file is named after the path: the real name makes two names
    // of one device (a by-id link, /dev/ttyUSB0) meet in one lock, which
    // also holds for root, whom the kernel's exclusive mode does not stop.
    const QString realName = QFileInfo(device).canonicalFilePath();
    if (openPath(realName.isEmpty() ? device : realName, settings)) {
        m_failureCause = OpenCause::Unknown;
        readWaiting();
        return true;
    }
    m_failureCause = classifyOpenFailure(m_openError, probeDevice(device));
    return false;
}

bool TtyDevice::openPath(const QString &path, const LineSettings &settings)
{
    if (isOpen())
        return refuse(TtyOpenError::AlreadyOpen, 0);
    const QByteArray name = QFile::encodeName(path);
    if (::access(name.constData(), F_OK) != 0)
        return refuse(TtyOpenError::NoDevice, errno);
    // The lock file first, where other serial programs look for it.
    m_lock = std::make_unique<QLockFile>(serialLockFile(path));
    if (!m_lock->tryLock())
        return refuse(TtyOpenError::Locked, 0);
    m_fd = ::open(name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return refuse(errno == ENOENT ? TtyOpenError::NoDevice : TtyOpenError::System, errno);
    if (!configure(settings))
        return refuse(TtyOpenError::System, errno);
    m_openError = TtyOpenError::None;
    m_systemError.clear();
    m_readable = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    QObject::connect(m_readable.get(), &QSocketNotifier::activated, m_readable.get(), [this] {
        if (readWaiting())
            m_events.arrived();
    });
    m_writable = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Write);
    m_writable->setEnabled(false);
    QObject::connect(m_writable.get(), &QSocketNotifier::activated, m_writable.get(), [this] { writePending(); });
    return true;
}

bool TtyDevice::configure(const LineSettings &line)
{
    termios settings{};
    if (::tcgetattr(m_fd, &settings) != 0)
        return false;
    m_foundSettings = std::make_unique<termios>(settings);
    ::cfmakeraw(&settings); // also VMIN 1, VTIME 0
    settings.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | PARENB | CRTSCTS);
    settings.c_cflag |= dataBitsFlag(line.dataBits) | (line.stopBits == 2 ? CSTOPB : 0) | CLOCAL | CREAD;
    settings.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    // glibc takes the speed as a number of bits per second, too.
    if (::cfsetspeed(&settings, speed_t(line.baud)) != 0 || ::tcsetattr(m_fd, TCSANOW, &settings) != 0)
        return false;
    // Others may not open it meanwhile (root aside, whom the lock file stops).
    ::ioctl(m_fd, TIOCEXCL);
    // A pseudo-terminal has no DTR line; that is no reason to refuse it.
    const int dtr = TIOCM_DTR;
    ::ioctl(m_fd, TIOCMBIS, &dtr);
    return true;
}

void TtyDevice::close()
{
    if (!isOpen())
        return;
    m_readable.reset();
    m_writable.reset();
    if (m_foundSettings)
        ::tcsetattr(m_fd, TCSANOW, m_foundSettings.get());
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
    m_fd = -1;
    m_lock.reset();
    m_input.clear();
    m_unwritten.clear();
}

bool TtyDevice::readWaiting()
{
    const qint64 before = m_input.size();
    char chunk[16384];
    while (isOpen()) {
        const ssize_t count = ::read(m_fd, chunk, sizeof chunk);
        if (count > 0) {
            m_input.append(chunk, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        hangUp(); // 0: the other end hung up; EIO and the like: the device went away
        return false;
    }
    return m_input.size() > before;
}

QByteArray TtyDevice::read(qint64 count)
{
    const QByteArray taken = m_input.left(count);
    m_input.remove(0, taken.size());
    return taken;
}

void TtyDevice::write(const QByteArray &bytes)
{
    if (!isOpen())
        return;
    m_unwritten += bytes;
    writePending();
}

void TtyDevice::writePending()
{
    while (isOpen() && !m_unwritten.isEmpty()) {
        const ssize_t count = ::write(m_fd, m_unwritten.constData(), size_t(m_unwritten.size()));
        if (count > 0) {
            m_unwritten.remove(0, count);
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            m_writable->setEnabled(true);
            return;
        } else {
            hangUp();
            return;
        }
    }
    if (m_writable)
        m_writable->setEnabled(false);
}

void TtyDevice::hangUp()
{
    close();
    m_events.lost();
}

} // namespace velsnap
