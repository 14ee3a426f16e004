#include "shell/window_font.h"

#include <QStringList>
#include <cmath>

namespace velsnap {

QFont windowFont(double points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(int(std::lround(points * 96 / 72)));
    font.setBold(bold);
    return font;
}

} // namespace velsnap
