#include "platform/report_font.h"

#include "platform/windows/wide_path.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <windows.h>

namespace velsnap {

// The program folder brings the font along (fonts\ beside the program).
QString reportFontFile()
{
    const QString path =
        QCoreApplication::applicationDirPath() + QStringLiteral("/fonts/") + QLatin1String(kReportFontName);
    return QFileInfo(path).isFile() ? path : QString();
}

// fopen() takes the ANSI code page, which may lack letters of the folder's
// name; its short name, where the volume keeps one, is plain ASCII.
QByteArray pathForCLibrary(const QString &path)
{
    const std::wstring wide = widePath(path);
    std::wstring shortName(MAX_PATH, L'\0');
    const DWORD length = GetShortPathNameW(wide.c_str(), shortName.data(), DWORD(shortName.size()));
    if (length == 0 || length >= shortName.size())
        return QDir::toNativeSeparators(path).toLocal8Bit();
    shortName.resize(length);
    return QString::fromStdWString(shortName).toLocal8Bit();
}

} // namespace velsnap
