#include "picture/png_encoder.h"

#include <array>

namespace velsnap {

namespace {

constexpr std::array<quint32, 256> kCrcTable = [] {
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}();

quint32 crc32(const QByteArray &bytes)
{
    quint32 c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = kCrcTable[(c ^ uchar(byte)) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void appendBigEndian(QByteArray &bytes, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char(value >> shift));
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    appendBigEndian(png, quint32(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    png += typed;
    appendBigEndian(png, crc32(typed));
}

// tEXt allows Latin-1's printable characters and the line feed.
bool fitsTextChunk(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u > 0xFF || (u < 0x20 && u != u'\n') || (u >= 0x7F && u < 0xA0))
            return false;
    }
    return true;
}

} // namespace

QByteArray encodePng(const PixelRows &picture, const std::vector<PngText> &texts)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendBigEndian(header, quint32(picture.width));
    appendBigEndian(header, quint32(picture.height));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, adaptive filters, no interlace
    appendChunk(png, "IHDR", header);
    for (const auto &[keyword, text] : texts) {
        if (fitsTextChunk(text))
            appendChunk(png, "tEXt", keyword + '\0' + text.toLatin1());
        else // no compression, no language, no translated keyword
            appendChunk(png, "iTXt", keyword + QByteArray(5, '\0') + text.toUtf8());
    }
    const qsizetype rowBytes = qsizetype(picture.width) * 3;
    // Each row filtered "Up": the difference to the row above, which a
    // screen's flat areas and an enlargement's copied rows make zero.
    QByteArray filtered((rowBytes + 1) * picture.height, Qt::Uninitialized);
    char *to = filtered.data();
    for (int y = 0; y < picture.height; ++y) {
        const auto *row = reinterpret_cast<const uchar *>(picture.bytes.constData()) + y * rowBytes;
        *to++ = '\x02';
        for (qsizetype i = 0; i < rowBytes; ++i)
            *to++ = char(row[i] - (y > 0 ? row[i - rowBytes] : 0));
    }
    // qCompress puts the length of the data before the zlib stream PNG wants.
    appendChunk(png, "IDAT", qCompress(filtered).mid(4));
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace velsnap
