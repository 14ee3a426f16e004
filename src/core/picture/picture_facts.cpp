#include "picture/picture_facts.h"

#include "texts.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
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

QByteArray pngWithFacts(const QImage &picture, const PictureFacts &facts)
{
    QImage tagged = picture;
    tagged.setText(QStringLiteral("Creation Time"), rfc3339(facts.received));
    tagged.setText(QStringLiteral("Source"), facts.source.isEmpty() ? texts::kSourceUnknown : facts.source);
    tagged.setText(QStringLiteral("Software"), QStringLiteral("VELSNAP " VELSNAP_VERSION));
    QByteArray png;
    QBuffer device(&png);
    device.open(QIODevice::WriteOnly);
    QImageWriter(&device, "png").write(tagged);
    return png;
}

} // namespace velsnap
