#include "report/report_page.h"

#include "report/report_texts.h"

#include <algorithm>

namespace velsnap {

namespace {

// A4 in points, from the lower left.
constexpr float kWidth = 595.276f;
constexpr float kHeight = 841.89f;
constexpr float kMargin = 40;
constexpr float kHeaderSize = 10;
constexpr float kCaptionSize = 9;
constexpr float kCaptionLine = 13;
constexpr int kCaptionLines = 3;
// Between the header or footer and the pictures, and between the two halves.
constexpr float kGap = 16;

constexpr float kTextWidth = kWidth - 2 * kMargin;
constexpr float kTop = kHeight - kMargin - kHeaderSize - kGap;
constexpr float kBottom = kMargin + kHeaderSize + kGap;
constexpr float kHalf = (kTop - kBottom) / kPicturesPerPage;

// A long source line (a USB adapter's full name) is set smaller rather than cut.
void fittedText(HaruDocument &document, HPDF_Page page, float x, float y, const QString &text)
{
    const float room = kWidth - kMargin - x;
    const float width = document.textWidth(kCaptionSize, text);
    const float size = width > room ? kCaptionSize * room / width : kCaptionSize;
    document.text(page, x, y, size, text);
}

} // namespace

HPDF_Page addReportPage(HaruDocument &document, const QString &dates, int number, int pages)
{
    HPDF_Page page = document.addA4Page();
    const float headerY = kHeight - kMargin - kHeaderSize;
    document.text(page, kMargin, headerY, kHeaderSize, report_texts::kProgramName);
    document.text(page, kWidth - kMargin - document.textWidth(kHeaderSize, dates), headerY, kHeaderSize, dates);
    const QString footer = report_texts::kPageNumber.arg(number).arg(pages);
    document.text(page, (kWidth - document.textWidth(kHeaderSize, footer)) / 2, kMargin, kHeaderSize, footer);
    return page;
}

void placePicture(HaruDocument &document, HPDF_Page page, int slot, const PixelRows &picture,
                  const QStringList &caption)
{
    const float top = kTop - slot * kHalf;
    const float boxHeight = kHalf - kGap - kCaptionLines * kCaptionLine;
    const float scale = std::min(kTextWidth / float(picture.width), boxHeight / float(picture.height));
    const float width = float(picture.width) * scale;
    const float height = float(picture.height) * scale;
    const float left = (kWidth - width) / 2;
    document.image(page, picture, QRectF(left, top - height, width, height));
    float baseline = top - height - kCaptionLine;
    for (const QString &line : caption) {
        fittedText(document, page, left, baseline, line);
        baseline -= kCaptionLine;
    }
}

} // namespace velsnap
