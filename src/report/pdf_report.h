#pragma once

#include "picture/picture_facts.h"

#include <QString>
#include <vector>

namespace velsnap {

struct ReportPicture {
    QString path;       // the picture file (BMP, any size Qt loads)
    PictureFacts facts; // received may be invalid, source empty
};

// The most pictures one report takes: each is held enlarged, 3.7 MB for a
// screen copy, until the whole document is made.
inline constexpr int kMostReportPictures = 50;

// Writes the report of `pictures`, in that order, to `target`: whole or not
// at all (a temporary file in the target's folder, then a rename; never a
// partial file; `target` is replaced only because the user chose it in a
// save dialog). A4 portrait, two pictures a page, each enlarged 4 times
// pixel for pixel, captioned with its name, reception time and source.
// Returns empty on success, else why, in words for a message box.
QString writePdfReport(const std::vector<ReportPicture> &pictures, const QString &target);

// The same with the Japanese font at `fontFile` (empty: none found).
QString writePdfReport(const std::vector<ReportPicture> &pictures, const QString &target, const QString &fontFile);

} // namespace velsnap
