#include "folders/kept_pictures.h"

#include <QDirIterator>
#include <algorithm>

namespace velsnap {

namespace {

bool upperLess(QChar x, QChar y)
{
    return x.toUpper().unicode() < y.toUpper().unicode();
}

bool lessIgnoringCase(const QString &a, const QString &b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), upperLess);
}

} // namespace

bool comesBeforeInNameOrder(const QString &a, const QString &b)
{
    if (lessIgnoringCase(a, b))
        return true;
    return !lessIgnoringCase(b, a) && a < b;
}

QStringList inNameOrder(QStringList names)
{
    std::sort(names.begin(), names.end(), comesBeforeInNameOrder);
    return names;
}

QStringList keptPictureNames(const QString &folder)
{
    // Most Linux file systems list in hash or creation order, not by name.
    QStringList names;
    QDirIterator listing(folder, {QStringLiteral("*.bmp")}, QDir::Files | QDir::Hidden);
    while (listing.hasNext()) {
        listing.next();
        names << listing.fileName();
    }
    return inNameOrder(std::move(names));
}

} // namespace velsnap
