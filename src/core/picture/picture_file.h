#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

namespace velsnap {

inline constexpr char kHeaderTemplateName[] = "24bit.hed";

// What a picture file holds: the 54-byte template and the buffer as they
// are (a Windows bitmap), or the same pixels as a PNG.
enum class PictureFormat { Bmp, Png };

// yymmdd_hhmmss.bmp (or .png), from the local date and time given.
QString pictureFileName(const QDateTime &when, PictureFormat format = PictureFormat::Bmp);

// The dated name, or the same stem with _2, _3, ... while `taken` says a name is in use,
// so two pictures finished within one second both survive.
QString freePictureFileName(const QDateTime &when, const std::function<bool(const QString &)> &taken,
                            PictureFormat format = PictureFormat::Bmp);

struct PictureWriteResult {
    QString fileName; // without folder; empty on failure
    QString error;    // user-facing text naming the file, then on a second line the system's reason
    bool ok() const { return !fileName.isEmpty(); }
};

// Writes the picture of `buffer` (240 rows of 960 bytes, bottom row first,
// blue, green, red) into `pictureFolder` under its dated name, `scale` times
// enlarged pixel for pixel. A BMP is the first 54 bytes of the template at
// `templatePath` followed by the buffer (its sizes made those of the
// enlargement); a PNG needs no template and keeps `when` and `source` in it. The file is written in full under a
// temporary name, then given the first dated name that is still free at that very moment: a file of that name, even one
// another program makes at the same time, is never replaced. On failure nothing is left in the folder.
PictureWriteResult writePictureFile(const QString &templatePath, const QString &pictureFolder, const QDateTime &when,
                                    const QByteArray &buffer, PictureFormat format = PictureFormat::Bmp,
                                    const QString &source = {}, int scale = 1);

} // namespace velsnap
