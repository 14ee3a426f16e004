#include "frame.h"

#include "device_texts.h"

#include <QImage>
#include <QImageReader>
#include <stdexcept>

namespace velsnap {

namespace {

QImage fitScreen(const QImage &image)
{
    const QImage covering =
        image.scaled(kFrameWidth, kFrameHeight, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return covering
        .copy((covering.width() - kFrameWidth) / 2, (covering.height() - kFrameHeight) / 2, kFrameWidth, kFrameHeight)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

std::vector<std::uint8_t> frameBytes(const QImage &image)
{
    const QImage screen = fitScreen(image);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kFrameBytes);
    for (int y = 0; y < kFrameHeight; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(screen.constScanLine(y));
        for (int x = 0; x < kFrameWidth; ++x) {
            const unsigned pixel = (unsigned(qRed(row[x])) >> 3) << 11 | (unsigned(qGreen(row[x])) >> 2) << 5 |
                                   unsigned(qBlue(row[x])) >> 3;
            bytes.push_back(static_cast<std::uint8_t>(pixel & 0xff));
            bytes.push_back(static_cast<std::uint8_t>(pixel >> 8));
        }
    }
    return bytes;
}

QImage loadPicture(const QString &path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        throw std::runtime_error(
            device_texts::pictureUnreadable(path.toStdString(), reader.errorString().toStdString()));
    return image;
}

} // namespace velsnap
