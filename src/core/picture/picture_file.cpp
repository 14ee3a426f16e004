#include "picture/picture_file.h"

#include "picture/picture_geometry.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace velsnap {

namespace {

struct TemplateRead {
    QByteArray header;
    QString error;
};

TemplateRead readHeaderTemplate(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{},
                QStringLiteral("ヘッダーテンプレートを読めません: %1\n%2")
                    .arg(QDir::toNativeSeparators(path), file.errorString())};
    const QByteArray header = file.read(kBitmapHeaderBytes);
    if (header.size() < kBitmapHeaderBytes)
        return {{},
                QStringLiteral("ヘッダーテンプレートが短すぎます（%1 バイト、54 バイト必要）: %2")
                    .arg(header.size())
                    .arg(QDir::toNativeSeparators(path))};
    return {header, {}};
}

} // namespace

QString pictureFileName(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyMMdd_HHmmss")) + QStringLiteral(".bmp");
}

QString freePictureFileName(const QDateTime &when, const std::function<bool(const QString &)> &taken)
{
    const QString first = pictureFileName(when);
    if (!taken(first))
        return first;
    const QString stem = first.chopped(4);
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1_%2.bmp").arg(stem).arg(n);
        if (!taken(candidate))
            return candidate;
    }
}

PictureWriteResult writePictureFile(const QString &templatePath, const QString &pictureFolder, const QDateTime &when,
                                    const QByteArray &buffer)
{
    const TemplateRead header = readHeaderTemplate(templatePath);
    if (!header.error.isEmpty())
        return {{}, header.error};

    const QDir folder(pictureFolder);
    const QString name = freePictureFileName(when, [&](const QString &candidate) { return folder.exists(candidate); });
    const QString path = folder.filePath(name);

    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(header.header) == header.header.size() &&
                         file.write(buffer) == buffer.size() && file.commit();
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {{}, QStringLiteral("画像ファイルを書き込めません: %1\n%2").arg(QDir::toNativeSeparators(path), reason)};
    }
    return {name, {}};
}

} // namespace velsnap
