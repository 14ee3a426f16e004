#include "picture/picture_file.h"

#include "folders/program_folders.h"
#include "picture/enlarged_picture.h"
#include "picture/picture_facts.h"
#include "picture/picture_geometry.h"
#include "texts.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace velsnap {

namespace {

struct Bytes {
    QByteArray data;
    QString error;
};

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString cannotWrite(const QString &path, int error)
{
    return texts::kPictureNotWritten.arg(QDir::toNativeSeparators(path), systemReason(error));
}

void putLittleEndian(QByteArray &bytes, int at, quint32 value)
{
    for (int n = 0; n < 4; ++n)
        bytes[at + n] = char(value >> (8 * n));
}

// The template's header with the sizes of a picture `scale` times as large:
// file size, width, height and pixel data size.
QByteArray scaledHeader(QByteArray header, int scale)
{
    const quint32 pixelBytes = quint32(kPictureBufferBytes) * quint32(scale * scale);
    putLittleEndian(header, 2, kBitmapHeaderBytes + pixelBytes);
    putLittleEndian(header, 18, quint32(kPictureWidth * scale));
    putLittleEndian(header, 22, quint32(kPictureHeight * scale));
    putLittleEndian(header, 34, pixelBytes);
    return header;
}

// The buffer as a picture, bottom row first as it is.
QImage bottomUpPicture(const QByteArray &buffer)
{
    return QImage(reinterpret_cast<const uchar *>(buffer.constData()), kPictureWidth, kPictureHeight, kBufferRowBytes,
                  QImage::Format_BGR888);
}

// The buffer's rows `scale` times enlarged, still bottom row first, blue, green, red.
QByteArray scaledBuffer(const QByteArray &buffer, int scale)
{
    if (scale == 1)
        return buffer;
    const QImage large = enlargedPicture(bottomUpPicture(buffer), scale).rgbSwapped();
    QByteArray rows;
    rows.reserve(qsizetype(large.height()) * large.width() * 3);
    for (int y = 0; y < large.height(); ++y)
        rows.append(reinterpret_cast<const char *>(large.constScanLine(y)), qsizetype(large.width()) * 3);
    return rows;
}

Bytes bitmapBytes(const QString &templatePath, const QByteArray &buffer, int scale)
{
    QFile file(templatePath);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, texts::kTemplateUnreadable.arg(QDir::toNativeSeparators(templatePath), file.errorString())};
    const QByteArray header = file.read(kBitmapHeaderBytes);
    if (header.size() < kBitmapHeaderBytes)
        return {{}, texts::kTemplateTooShort.arg(header.size()).arg(QDir::toNativeSeparators(templatePath))};
    return {(scale == 1 ? header : scaledHeader(header, scale)) + scaledBuffer(buffer, scale), {}};
}

QByteArray pngBytes(const QByteArray &buffer, const PictureFacts &facts, int scale)
{
    return pngWithFacts(enlargedPicture(bottomUpPicture(buffer).mirrored(false, true), scale), facts);
}

// A new file of the folder under a name no one else uses, open for writing.
int createTemporary(const QString &folder, QByteArray &path)
{
    for (;;) {
        path = QFile::encodeName(QDir(folder).filePath(
            QStringLiteral(".velsnap-%1.tmp").arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'))));
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
    // On the disk before it has a name: a name never shows a picture that a
    // crash could cut. A file system that cannot sync says so, and is no failure.
    if (::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP)
        return 0;
    return errno;
}

// Gives the temporary file the name `path` only while no file has it:
// 0 when done, EEXIST when the name is in use, else the errno of the failure.
int commitUnder(const QByteArray &temporary, const QByteArray &path)
{
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, path.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // The file system cannot rename without replacing; a new link fails just the same on a name in use.
    if (::link(temporary.constData(), path.constData()) != 0)
        return errno;
    ::unlink(temporary.constData());
    return 0;
}

} // namespace

QString pictureFileName(const QDateTime &when, PictureFormat format)
{
    return when.toString(QStringLiteral("yyMMdd_HHmmss")) +
           (format == PictureFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp"));
}

QString freePictureFileName(const QDateTime &when, const std::function<bool(const QString &)> &taken,
                            PictureFormat format)
{
    const QString first = pictureFileName(when, format);
    if (!taken(first))
        return first;
    const QString stem = first.chopped(4);
    const QString extension = first.right(4);
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1_%2%3").arg(stem).arg(n).arg(extension);
        if (!taken(candidate))
            return candidate;
    }
}

PictureWriteResult writePictureFile(const QString &templatePath, const QString &pictureFolder, const QDateTime &when,
                                    const QByteArray &buffer, PictureFormat format, const QString &source, int scale)
{
    const QDir folder(pictureFolder);
    const QString firstPath = folder.filePath(pictureFileName(when, format));
    if (buffer.size() != kPictureBufferBytes || scale < 1 || scale > kLargestScale)
        return {{}, cannotWrite(firstPath, EINVAL)};
    const Bytes bytes = format == PictureFormat::Png ? Bytes{pngBytes(buffer, {when, source}, scale), {}}
                                                     : bitmapBytes(templatePath, buffer, scale);
    if (!bytes.error.isEmpty())
        return {{}, bytes.error};

    // The folder may have gone since start-up (moved, deleted, a stick pulled out).
    if (const int missing = makeFolder(pictureFolder); missing != 0)
        return {{}, cannotWrite(firstPath, missing)};
    QByteArray temporary;
    const int fd = createTemporary(pictureFolder, temporary);
    if (fd < 0)
        return {{}, cannotWrite(firstPath, errno)};
    int error = writeAll(fd, bytes.data);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return {{}, cannotWrite(firstPath, error)};
    }

    const QString name = freePictureFileName(
        when,
        [&](const QString &candidate) {
            error = commitUnder(temporary, QFile::encodeName(folder.filePath(candidate)));
            return error == EEXIST;
        },
        format);
    if (error == 0)
        return {name, {}};
    ::unlink(temporary.constData());
    return {{}, cannotWrite(folder.filePath(name), error)};
}

} // namespace velsnap
