#include "platform/linux/port_holder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <cerrno>
#include <limits>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velsnap {

namespace {

// The name under which lock files know a device: its path below /dev with
// every "/" turned into "_" (/dev/ttyUSB0 → ttyUSB0, /dev/pts/3 → pts_3).
QString lockName(const QString &path)
{
    QString name = path.startsWith(QStringLiteral("/dev/")) ? path.mid(5) : path;
    return QStringLiteral("LCK..") + name.replace(u'/', u'_');
}

QString programName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
}

bool processRunning(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

std::optional<PortHolder> findOpenFile(const QString &device)
{
    struct stat wanted = {};
    if (::stat(QFile::encodeName(device).constData(), &wanted) != 0 || !S_ISCHR(wanted.st_mode))
        return std::nullopt;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &process : processes) {
        bool number = false;
        const qint64 pid = process.toLongLong(&number);
        if (!number || pid == self)
            continue;
        const QString fdFolder = QStringLiteral("/proc/%1/fd").arg(pid);
        const QStringList fds = QDir(fdFolder).entryList(QDir::System | QDir::NoDotAndDotDot);
        for (const QString &fd : fds) {
            struct stat open = {};
            if (::stat(QFile::encodeName(fdFolder + u'/' + fd).constData(), &open) == 0 && S_ISCHR(open.st_mode) &&
                open.st_rdev == wanted.st_rdev)
                return PortHolder{pid, programName(pid), QString(), true};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<PortHolder> lockFileHolder(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromLocal8Bit(file.read(4096)).split(u'\n');
    const QStringList first = lines.value(0).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    bool number = false;
    PortHolder holder;
    holder.pid = first.value(0).toLongLong(&number);
    // kill() takes a pid_t: a larger number would name another process, or all of them.
    if (!number || holder.pid <= 0 || holder.pid > std::numeric_limits<pid_t>::max())
        return std::nullopt;
    holder.lockFile = path;
    holder.running = processRunning(holder.pid);
    holder.program = holder.running ? programName(holder.pid) : QString();
    if (holder.program.isEmpty())
        holder.program = first.size() > 1 ? first.at(1) : lines.value(1).trimmed();
    return holder;
}

QStringList lockFileCandidates(const QString &device)
{
    QStringList names{lockName(device)};
    const QString target = QFileInfo(device).canonicalFilePath();
    if (!target.isEmpty() && !names.contains(lockName(target)))
        names << lockName(target);
    QStringList candidates;
    for (const char *folder : {"/run/lock", "/var/lock", "/tmp", "/var/tmp"}) {
        for (const QString &name : std::as_const(names))
            candidates << QLatin1String(folder) + u'/' + name;
    }
    return candidates;
}

QString serialLockFile(const QString &device)
{
    const QString name = lockName(device);
    for (const char *folder : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp", "/tmp", "/var/tmp",
                               "/var/lock/lockdev", "/run/lock"}) {
        const QFileInfo place{QString::fromLatin1(folder)};
        const QString path = QLatin1String(folder) + u'/' + name;
        if (place.isReadable() && (place.isWritable() || QFile::exists(path)))
            return path;
    }
    return QDir::tempPath() + u'/' + name;
}

std::optional<PortHolder> findPortHolder(const QString &device)
{
    const qint64 self = QCoreApplication::applicationPid();
    for (const QString &candidate : lockFileCandidates(device)) {
        std::optional<PortHolder> holder = lockFileHolder(candidate);
        if (holder && holder->pid != self)
            return holder;
    }
    return findOpenFile(device);
}

} // namespace velsnap
