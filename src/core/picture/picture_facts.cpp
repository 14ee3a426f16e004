#include "picture/picture_facts.h"

#include "picture/png_encoder.h"
#include "texts.h"

#include <cstdlib>

namespace velsnap {

QString rfc3339(const QDateTime &when)
{
    const int offset = when.offsetFromUtc() / 60;
    return when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + QStringLiteral("%1%2:%3")
                                                                      .arg(QChar(offset < 0 ? u'-' : u'+'))
                                                                      .arg(std::abs(offset) / 60, 2, 10, QChar(u'0'))
                                                                      .arg(std::abs(offset) % 60, 2, 10, QChar(u'0'));
}

QByteArray pngWithFacts(const PixelRows &picture, const PictureFacts &facts)
{
    return encodePng(picture, {{"Creation Time", rfc3339(facts.received)},
                               {"Source", facts.source.isEmpty() ? texts::kSourceUnknown : facts.source},
                               {"Software", QStringLiteral("VELSNAP " VELSNAP_VERSION)}});
}

} // namespace velsnap
