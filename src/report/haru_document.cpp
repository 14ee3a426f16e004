#include "report/haru_document.h"

namespace velsnap {

HaruDocument::HaruDocument() : m_document(HPDF_New(&HaruDocument::keepError, this))
{
    HPDF_SetCompressionMode(m_document, HPDF_COMP_ALL);
    HPDF_UseUTFEncodings(m_document);
    HPDF_SetCurrentEncoder(m_document, "UTF-8");
}

HaruDocument::~HaruDocument()
{
    HPDF_Free(m_document);
}

void HaruDocument::keepError(HPDF_STATUS error, HPDF_STATUS detail, void *document)
{
    auto *self = static_cast<HaruDocument *>(document);
    if (self->m_error == HPDF_OK) {
        self->m_error = error;
        self->m_detail = detail;
    }
}

bool HaruDocument::useFont(const QByteArray &fontFile)
{
    const char *name = HPDF_LoadTTFontFromFile(m_document, fontFile.constData(), HPDF_TRUE);
    m_font = name ? HPDF_GetFont(m_document, name, "UTF-8") : nullptr;
    return m_font && m_error == HPDF_OK;
}

void HaruDocument::setInfo(const QString &title, const QString &creator)
{
    HPDF_SetInfoAttr(m_document, HPDF_INFO_TITLE, title.toUtf8().constData());
    HPDF_SetInfoAttr(m_document, HPDF_INFO_CREATOR, creator.toUtf8().constData());
}

HPDF_Page HaruDocument::addA4Page()
{
    HPDF_Page page = HPDF_AddPage(m_document);
    HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    return page;
}

void HaruDocument::text(HPDF_Page page, float x, float y, float size, const QString &text)
{
    HPDF_Page_BeginText(page);
    HPDF_Page_SetFontAndSize(page, m_font, size);
    HPDF_Page_TextOut(page, x, y, text.toUtf8().constData());
    HPDF_Page_EndText(page);
}

float HaruDocument::textWidth(float size, const QString &text) const
{
    const QByteArray utf8 = text.toUtf8();
    const HPDF_TextWidth width =
        HPDF_Font_TextWidth(m_font, reinterpret_cast<const HPDF_BYTE *>(utf8.constData()), HPDF_UINT(utf8.size()));
    return float(width.width) * size / 1000;
}

void HaruDocument::image(HPDF_Page page, const PixelRows &picture, const QRectF &box)
{
    HPDF_Image image =
        HPDF_LoadRawImageFromMem(m_document, reinterpret_cast<const HPDF_BYTE *>(picture.bytes.constData()),
                                 HPDF_UINT(picture.width), HPDF_UINT(picture.height), HPDF_CS_DEVICE_RGB, 8);
    HPDF_Page_DrawImage(page, image, float(box.x()), float(box.y()), float(box.width()), float(box.height()));
}

QByteArray HaruDocument::bytes()
{
    if (HPDF_SaveToStream(m_document) != HPDF_OK || m_error != HPDF_OK)
        return {};
    QByteArray file(qsizetype(HPDF_GetStreamSize(m_document)), '\0');
    HPDF_UINT32 size = HPDF_UINT32(file.size());
    HPDF_ReadFromStream(m_document, reinterpret_cast<HPDF_BYTE *>(file.data()), &size);
    return m_error == HPDF_OK && size == HPDF_UINT32(file.size()) ? file : QByteArray();
}

QString HaruDocument::failure() const
{
    if (m_error == HPDF_OK)
        return {};
    return QStringLiteral("0x%1/%2").arg(qulonglong(m_error), 4, 16, QChar(u'0')).arg(qulonglong(m_detail));
}

} // namespace velsnap
