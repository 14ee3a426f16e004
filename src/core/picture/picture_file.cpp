#include "picture/picture_file.h"

#include "folders/program_folders.h"
#include "picture/enlarged_picture.h"
#include "picture/picture_facts.h"
#include "picture/picture_geometry.h"
#include "platform/file_commit.h"
#include "texts.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace velsnap {

namespace {

struct Bytes {
    QByteArray data;
    QString error;
};

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString cannotWrite(const QString &path, const QString &reason)
{
    return texts::kPictureNotWritten.arg(QDir::toNativeSeparators(path), reason);
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

// The buffer's rows top row first, red, green, blue, as a PNG holds them.
PixelRows topDownRgb(const QByteArray &buffer)
{
    QByteArray rows(buffer.size(), Qt::Uninitialized);
    for (int y = 0; y < kPictureHeight; ++y) {
        const char *from = buffer.constData() + (kPictureHeight - 1 - y) * kBufferRowBytes;
        char *to = rows.data() + y * kBufferRowBytes;
        for (int x = 0; x < kBufferRowBytes; x += 3) {
            to[x] = from[x + 2];
            to[x + 1] = from[x + 1];
            to[x + 2] = from[x];
        }
    }
    return {kPictureWidth, kPictureHeight, rows};
}

Bytes bitmapBytes(const QString &templatePath, const QByteArray &buffer, int scale)
{
    QFile file(templatePath);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, texts::kTemplateUnreadable.arg(QDir::toNativeSeparators(templatePath), file.errorString())};
    const QByteArray header = file.read(kBitmapHeaderBytes);
    if (header.size() < kBitmapHeaderBytes)
        return {{}, texts::kTemplateTooShort.arg(header.size()).arg(QDir::toNativeSeparators(templatePath))};
    return {(scale == 1 ? header : scaledHeader(header, scale)) +
                enlargedPicture({kPictureWidth, kPictureHeight, buffer}, scale).bytes,
            {}};
}

QByteArray pngBytes(const QByteArray &buffer, const PictureFacts &facts, int scale)
{
    return pngWithFacts(enlargedPicture(topDownRgb(buffer), scale), facts);
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
        return {{}, cannotWrite(firstPath, errorText(EINVAL))};
    const Bytes bytes = format == PictureFormat::Png ? Bytes{pngBytes(buffer, {when, source}, scale), {}}
                                                     : bitmapBytes(templatePath, buffer, scale);
    if (!bytes.error.isEmpty())
        return {{}, bytes.error};

    // The folder may have gone since start-up (moved, deleted, a stick pulled out).
    if (const int missing = makeFolder(pictureFolder); missing != 0)
        return {{}, cannotWrite(firstPath, errorText(missing))};
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
