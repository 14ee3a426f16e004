#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

namespace velsnap {

inline constexpr char kHeaderTemplateName[] = "24bit.hed";

// yymmdd_hhmmss.bmp, from the local date and time given.
QString pictureFileName(const QDateTime &when);

// The dated name, or the same stem with _2, _3, ... while `taken` says a name is in use,
// so two pictures finished within one second both survive.
QString freePictureFileName(const QDateTime &when, const std::function<bool(const QString &)> &taken);

struct PictureWriteResult {
    QString fileName; // without folder; empty on failure
    QString error;    // user-facing text naming the file and the reason
    bool ok() const { return !fileName.isEmpty(); }
};

// Template header (its first 54 bytes) + buffer, written under a temporary
// name in `pictureFolder` and renamed into place, so no partial picture is
// ever left under a final name.
PictureWriteResult writePictureFile(const QString &templatePath, const QString &pictureFolder, const QDateTime &when,
                                    const QByteArray &buffer);

} // namespace velsnap
