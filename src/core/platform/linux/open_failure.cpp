#include "platform/linux/open_failure.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velsnap {

DeviceProbe probeDevice(const QString &device)
{
    const QByteArray path = QFile::encodeName(device);
    struct stat status = {};
    if (::stat(path.constData(), &status) != 0)
        return {DeviceProbe::Missing, errno};
    if (S_ISREG(status.st_mode))
        return {DeviceProbe::PlainFile, 0};
    if (S_ISDIR(status.st_mode))
        return {DeviceProbe::Folder, 0};
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return {S_ISCHR(status.st_mode) ? DeviceProbe::Terminal : DeviceProbe::NotTerminal, errno};
    const bool terminal = ::isatty(fd);
    ::close(fd);
    return {terminal ? DeviceProbe::Terminal : DeviceProbe::NotTerminal, 0};
}

OpenCause classifyOpenFailure(TtyOpenError error, const DeviceProbe &probe)
{
    switch (probe.kind) {
    case DeviceProbe::Missing:
        return OpenCause::Missing;
    case DeviceProbe::PlainFile:
        return OpenCause::PlainFile;
    case DeviceProbe::Folder:
        return OpenCause::Folder;
    case DeviceProbe::NotTerminal:
        return OpenCause::NotTerminal;
    case DeviceProbe::Terminal:
        break;
    }
    switch (probe.openErrno) {
    case EACCES:
    case EPERM:
        return OpenCause::NotAllowed;
    case ENOENT:
    case ENODEV:
        return OpenCause::Missing;
    case ENXIO:
    case EIO:
        return OpenCause::NoHardware;
    case EBUSY:
        return OpenCause::Held;
    default:
        break;
    }
    switch (error) {
    case TtyOpenError::NoDevice:
        return OpenCause::Missing;
    case TtyOpenError::AlreadyOpen:
        return OpenCause::OpenHere;
    case TtyOpenError::Locked: // the kernel would give it to us: someone's lock
        return OpenCause::Held;
    default:
        return OpenCause::Unknown;
    }
}

} // namespace velsnap
