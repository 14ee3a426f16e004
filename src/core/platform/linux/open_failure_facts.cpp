#include "platform/open_failure_facts.h"

#include "platform/linux/live_system_view.h"
#include "platform/linux/port_holder.h"
#include "serial/port_doctor.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velsnap {

namespace {

// Whether this user is listed in group `gid` although this login does not
// have it yet (added with usermod, not logged in again).
bool joinedSinceLogin(gid_t gid)
{
    const passwd *user = ::getpwuid(::getuid());
    if (!user)
        return false;
    int count = 64;
    std::vector<gid_t> listed(64);
    if (::getgrouplist(user->pw_name, user->pw_gid, listed.data(), &count) < 0) {
        listed.resize(std::size_t(count));
        ::getgrouplist(user->pw_name, user->pw_gid, listed.data(), &count);
    }
    listed.resize(std::size_t(count));
    std::vector<gid_t> current(std::size_t(::getgroups(0, nullptr)));
    current.resize(std::size_t(::getgroups(int(current.size()), current.data())));
    const auto has = [gid](const std::vector<gid_t> &groups) {
        return std::find(groups.begin(), groups.end(), gid) != groups.end();
    };
    return has(listed) && !has(current) && ::getgid() != gid;
}

std::optional<DeviceAccess> accessOf(const QString &device)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(device).constData(), &status) != 0)
        return std::nullopt;
    const group *owningGroup = ::getgrgid(status.st_gid);
    const passwd *owner = ::getpwuid(status.st_uid);
    DeviceAccess access;
    access.owner = owner ? QString::fromLocal8Bit(owner->pw_name) : QString::number(status.st_uid);
    access.group = owningGroup ? QString::fromLocal8Bit(owningGroup->gr_name) : QString::number(status.st_gid);
    access.mode = int(status.st_mode & 0777);
    access.groupMayOpen = (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP) && status.st_gid != 0;
    access.joinedSinceLogin = access.groupMayOpen && joinedSinceLogin(status.st_gid);
    return access;
}

} // namespace

OpenFailure openFailureFacts(OpenCause cause, const QString &device, const QString &systemError)
{
    OpenFailure failure{cause, device, {}, systemError};
    const QFileInfo info(device);
    if (info.isSymLink())
        failure.linkTarget = info.canonicalFilePath();
    if (cause == OpenCause::NotAllowed)
        failure.access = accessOf(device);
    if (cause == OpenCause::Held)
        failure.holder = findPortHolder(device);
    // A device that vanished, or one busy, may be brltty's or ModemManager's doing.
    const LiveSystemView system;
    if (cause == OpenCause::Missing && processRunning(QStringLiteral("brltty"), system))
        failure.meddler = PortMeddler::Brltty;
    if (cause == OpenCause::Held && processRunning(QStringLiteral("ModemManager"), system))
        failure.meddler = PortMeddler::ModemManager;
    return failure;
}

} // namespace velsnap
