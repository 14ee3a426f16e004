#include "report/pdf_report.h"

#include "image_rows/image_rows.h"
#include "picture/enlarged_picture.h"
#include "platform/report_font.h"
#include "report/haru_document.h"
#include "report/reception_time.h"
#include "report/report_page.h"
#include "report/report_texts.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <algorithm>

namespace velsnap {

namespace {

// Each pixel a 4 x 4 block, so that no viewer smooths the device's lettering.
constexpr int kScale = 4;
// 4096 pixels a side, 48 MB of RGB: a picture far beyond a screen copy is
// more likely a mistake than a wish.
constexpr int kLargestSide = 4096;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QStringList captionOf(const ReportPicture &picture, const QDateTime &received)
{
    QStringList caption{QFileInfo(picture.path).fileName()};
    if (received.isValid())
        caption << report_texts::kReceived.arg(shownTime(received));
    if (!picture.facts.source.isEmpty())
        caption << report_texts::kSource.arg(picture.facts.source);
    return caption;
}

// The picture enlarged, or why it cannot be.
QString loadEnlarged(const QString &path, PixelRows &enlarged)
{
    const QImage image(path);
    if (image.isNull())
        return report_texts::kPictureUnreadable.arg(shown(path));
    if (std::max(image.width(), image.height()) > kLargestSide / kScale)
        return report_texts::kPictureTooLarge.arg(image.width()).arg(image.height()).arg(kLargestSide).arg(shown(path));
    enlarged = enlargedPicture(rgbRowsOf(image), kScale);
    return {};
}

// The whole document, or why not.
QString composed(const std::vector<ReportPicture> &pictures, const QString &fontFile, QByteArray &file)
{
    if (pictures.empty())
        return report_texts::kNoPictures;
    if (pictures.size() > kMostReportPictures)
        return report_texts::kTooManyPictures.arg(kMostReportPictures).arg(pictures.size());
    if (fontFile.isEmpty())
        return report_texts::kFontMissing.arg(QLatin1String(kReportFontName));
    HaruDocument document;
    if (!document.useFont(pathForCLibrary(fontFile)))
        return report_texts::kFontUnusable.arg(shown(fontFile), document.failure());

    std::vector<QDateTime> times;
    for (const ReportPicture &picture : pictures)
        times.push_back(receptionTime(picture));
    const QString dates = dateRange(times);
    document.setInfo((report_texts::kTitle + u' ' + dates).trimmed(),
                     report_texts::kProgramName + QStringLiteral(" " VELSNAP_VERSION));

    const int pages = int(pictures.size() + kPicturesPerPage - 1) / kPicturesPerPage;
    HPDF_Page page = nullptr;
    for (size_t index = 0; index < pictures.size(); ++index) {
        const int slot = int(index % kPicturesPerPage);
        if (slot == 0)
            page = addReportPage(document, dates, int(index) / kPicturesPerPage + 1, pages);
        PixelRows enlarged;
        if (const QString fault = loadEnlarged(pictures[index].path, enlarged); !fault.isEmpty())
            return fault;
        placePicture(document, page, slot, enlarged, captionOf(pictures[index], times[index]));
    }
    file = document.bytes();
    return file.isEmpty() ? report_texts::kPdfFailed.arg(document.failure()) : QString();
}

} // namespace

QString writePdfReport(const std::vector<ReportPicture> &pictures, const QString &target)
{
    return writePdfReport(pictures, target, reportFontFile());
}

QString writePdfReport(const std::vector<ReportPicture> &pictures, const QString &target, const QString &fontFile)
{
    QByteArray bytes;
    if (const QString fault = composed(pictures, fontFile, bytes); !fault.isEmpty())
        return report_texts::kNotWritten.arg(shown(target), fault);
    // QSaveFile writes beside the target and renames only a whole file;
    // on any failure it removes what it wrote.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return report_texts::kNotWritten.arg(shown(target), file.errorString());
    return {};
}

} // namespace velsnap
