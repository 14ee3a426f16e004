#include "support/pty_pair.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace velsnap::test {

PtyPair::PtyPair()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return;
    termios raw{};
    tcgetattr(m_master, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_master, TCSANOW, &raw);
    m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
    // A master reports hang-up only once its slave has been open; open it once
    // so that "nobody has it open" can be told from then on.
    const int slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
    if (slave >= 0)
        ::close(slave);
}

bool PtyPair::slaveOpen() const
{
    pollfd state{m_master, 0, 0};
    return poll(&state, 1, 0) >= 0 && !(state.revents & POLLHUP);
}

PtyPair::~PtyPair()
{
    hangUp();
}

bool PtyPair::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            return false;
        if (n > 0)
            done += n;
    }
    return true;
}

QByteArray PtyPair::read(int count, int milliseconds)
{
    QByteArray received;
    QElapsedTimer clock;
    clock.start();
    while (received.size() < count && clock.elapsed() < milliseconds) {
        // The program writes from its event loop, so keep that turning while waiting.
        QCoreApplication::processEvents();
        pollfd ready{m_master, POLLIN, 0};
        if (poll(&ready, 1, 10) <= 0)
            continue;
        if (!(ready.revents & POLLIN)) { // hung up: nobody has the slave open yet
            usleep(5000);
            continue;
        }
        char chunk[256];
        const ssize_t n = ::read(m_master, chunk, sizeof chunk);
        if (n > 0)
            received.append(chunk, n);
    }
    return received;
}

void PtyPair::hangUp()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void drainUntil(const QString &path, const std::atomic<bool> &done)
{
    const int slave = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    char chunk[4096];
    while (!done) {
        pollfd ready{slave, POLLIN, 0};
        if (poll(&ready, 1, 10) > 0) [[maybe_unused]]
            const ssize_t n = ::read(slave, chunk, sizeof chunk);
    }
    ::close(slave);
}

} // namespace velsnap::test
