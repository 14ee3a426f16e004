#include "shell/window_font.h"

#include <QStringList>

namespace velsnap {

QFont windowFont(int points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(points * 96 / 72);
    font.setBold(bold);
    return font;
}

} // namespace velsnap
