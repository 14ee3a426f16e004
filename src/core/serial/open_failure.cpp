#include "serial/open_failure.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velsnap {

OpenResult classifyOpenFailure(QSerialPort::SerialPortError error, int probeErrno)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return OpenResult::Unusable;
    case QSerialPort::OpenError: // this port object holds it already
        return OpenResult::InUse;
    case QSerialPort::PermissionError:
        switch (probeErrno) {
        case EACCES:
        case EPERM:
        case ENOENT:
        case ENXIO:
        case ENODEV:
            return OpenResult::Unusable;
        default:
            return OpenResult::InUse; // EBUSY, or free for the kernel but locked
        }
    default:
        return OpenResult::Failed;
    }
}

int probeOpenErrno(const QString &device)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

} // namespace velsnap
