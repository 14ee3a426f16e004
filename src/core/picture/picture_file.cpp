#include "picture/picture_file.h"

#include "picture/picture_geometry.h"
#include "platform/file_commit.h"
#include "texts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cerrno>
#include <cstring>

namespace velsnap {

namespace {

struct Bytes {
    QByteArray data;
    QString error;
};

QString cannotWrite(const QString &path, const QString &reason)
{
    return texts::kPictureNotWritten.arg(QDir::toNativeSeparators(path), reason);
}

Bytes bitmapBytes(const QString &templatePath, const QByteArray &buffer)
{
    QFile file(templatePath);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, texts::kTemplateUnreadable.arg(QDir::toNativeSeparators(templatePath), file.errorString())};
    const QByteArray header = file.read(kBitmapHeaderBytes);
    if (header.size() < kBitmapHeaderBytes)
        return {{}, texts::kTemplateTooShort.arg(header.size()).arg(QDir::toNativeSeparators(templatePath))};
    return {header + buffer, {}};
}

QByteArray pngBytes(const QByteArray &buffer)
{
    const QImage bottomUp(reinterpret_cast<const uchar *>(buffer.constData()), kPictureWidth, kPictureHeight,
                          kBufferRowBytes, QImage::Format_BGR888);
    QByteArray png;
    QBuffer device(&png);
    device.open(QIODevice::WriteOnly);
    bottomUp.mirrored(false, true).save(&device, "PNG");
    return png;
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
                                    const QByteArray &buffer, PictureFormat format)
{
    const QDir folder(pictureFolder);
    const QString firstPath = folder.filePath(pictureFileName(when, format));
    if (format == PictureFormat::Png && buffer.size() != kPictureBufferBytes)
        return {{}, cannotWrite(firstPath, QString::fromLocal8Bit(std::strerror(EINVAL)))};
    const Bytes bytes = format == PictureFormat::Png ? Bytes{pngBytes(buffer), {}} : bitmapBytes(templatePath, buffer);
    if (!bytes.error.isEmpty())
        return {{}, bytes.error};

    QString temporary;
    const FileStep written = writeTemporaryFile(pictureFolder, bytes.data, temporary);
    if (written.result != FileStep::Done)
        return {{}, cannotWrite(firstPath, written.reason)};

    FileStep committed;
    const QString name = freePictureFileName(
        when,
        [&](const QString &candidate) {
            committed = commitWithoutReplacing(temporary, folder.filePath(candidate));
            return committed.result == FileStep::NameTaken;
        },
        format);
    if (committed.result == FileStep::Done)
        return {name, {}};
    removeFile(temporary);
    return {{}, cannotWrite(folder.filePath(name), committed.reason)};
}

} // namespace velsnap
