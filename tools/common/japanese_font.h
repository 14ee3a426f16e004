#pragma once

#include <QApplication>
#include <QFont>

namespace velsnap {

// The small tools' Japanese text reads best in IPAPGothic; without it Qt's
// default family is used.
inline void preferJapaneseFont(QApplication &application)
{
    QFont font = application.font();
    font.setFamilies({QStringLiteral("IPAPGothic"), font.family()});
    application.setFont(font);
}

} // namespace velsnap
