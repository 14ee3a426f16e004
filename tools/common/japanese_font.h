#pragma once

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

namespace velsnap {

// The Windows folder brings IPAPGothic along (fonts\ beside the program), so
// a Windows without Japanese fonts shows the texts as Linux does.
inline void loadBundledFonts()
{
    const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    const QStringList files = fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files);
    for (const QString &file : files)
        QFontDatabase::addApplicationFont(fonts.filePath(file));
}

// The small tools' Japanese text reads best in IPAPGothic; without it Qt's
// default family is used.
inline void preferJapaneseFont(QApplication &application)
{
    loadBundledFonts();
    QFont font = application.font();
    font.setFamilies({QStringLiteral("IPAPGothic"), font.family()});
    application.setFont(font);
}

} // namespace velsnap
