#include "platform/report_font.h"

#include <QFile>
#include <QFileInfo>

namespace velsnap {

QString reportFontFile()
{
    // Debian's fonts-ipafont-gothic; else the Japanese gothic that another
    // package of fonts-japanese-gothic (the package's alternative) chose.
    for (const QString &path : {QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/") + kReportFontName,
                                QStringLiteral("/usr/share/fonts/truetype/fonts-japanese-gothic.ttf")}) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QByteArray pathForCLibrary(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace velsnap
