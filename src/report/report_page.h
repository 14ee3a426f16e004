#pragma once

#include "picture/pixel_rows.h"
#include "report/haru_document.h"

#include <QStringList>

namespace velsnap {

inline constexpr int kPicturesPerPage = 2;

// A new A4 page with its header (the program and the dates of the report)
// and its footer "number / pages".
HPDF_Page addReportPage(HaruDocument &document, const QString &dates, int number, int pages);

// The picture in half `slot` (0 top, 1 bottom) of the page, as large as its
// aspect lets it, with `caption` below it, a line each.
void placePicture(HaruDocument &document, HPDF_Page page, int slot, const PixelRows &picture,
                  const QStringList &caption);

} // namespace velsnap
