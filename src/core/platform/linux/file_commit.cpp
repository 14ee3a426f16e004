#include "platform/file_commit.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace velsnap {

namespace {

FileStep failed(int error)
{
    return {FileStep::Failed, QString::fromLocal8Bit(std::strerror(error))};
}

// A new file of the folder under a name no one else uses, open for writing.
int createTemporary(const QString &folder, QByteArray &path)
{
    for (;;) {
        path = QFile::encodeName(temporaryFileCandidate(folder));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
}

// 0, or the errno of the first failing step.
int writeAll(int fd, const QByteArray &data)
{
    for (qsizetype done = 0; done < data.size();) {
        const ssize_t written = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        done += written;
    }
    // A file system that cannot sync says so, and is no failure.
    if (::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP)
        return 0;
    return errno;
}

} // namespace

FileStep writeTemporaryFile(const QString &folder, const QByteArray &data, QString &temporaryPath)
{
    QByteArray path;
    const int fd = createTemporary(folder, path);
    if (fd < 0)
        return failed(errno);
    int error = writeAll(fd, data);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(path.constData());
        return failed(error);
    }
    temporaryPath = QFile::decodeName(path);
    return {};
}

FileStep commitWithoutReplacing(const QString &temporaryPath, const QString &path)
{
    const QByteArray from = QFile::encodeName(temporaryPath);
    const QByteArray to = QFile::encodeName(path);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno == EEXIST)
        return {FileStep::NameTaken, {}};
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return failed(errno);
    // The file system cannot rename without replacing; a new link fails just the same on a name in use.
    if (::link(from.constData(), to.constData()) != 0)
        return errno == EEXIST ? FileStep{FileStep::NameTaken, {}} : failed(errno);
    ::unlink(from.constData());
    return {};
}

void removeFile(const QString &path)
{
    ::unlink(QFile::encodeName(path).constData());
}

} // namespace velsnap
