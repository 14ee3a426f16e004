#include "platform/device_state.h"

#include <QFile>
#include <QFileInfo>
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace velsnap {

namespace {

// The kernel files every terminal it lists under a "tty" class (ptys it does
// not list at all).
bool terminalDevice(const struct stat &status)
{
    if (!S_ISCHR(status.st_mode))
        return false;
    const QString node = QStringLiteral("/sys/dev/char/%1:%2").arg(major(status.st_rdev)).arg(minor(status.st_rdev));
    const QString kind = QFileInfo(node).canonicalFilePath();
    return kind.isEmpty() || kind.contains(QStringLiteral("/tty/"));
}

} // namespace

DeviceState deviceState(const QString &device)
{
    const QByteArray path = QFile::encodeName(device);
    struct stat status = {};
    DeviceState state;
    state.exists = ::stat(path.constData(), &status) == 0;
    if (!state.exists)
        return state;
    state.serial = terminalDevice(status);
    state.mayOpen = ::access(path.constData(), R_OK | W_OK) == 0;
    const group *owner = ::getgrgid(status.st_gid);
    state.group = owner ? QString::fromLocal8Bit(owner->gr_name) : QString::number(status.st_gid);
    return state;
}

} // namespace velsnap
