#pragma once

#include "picture/pixel_rows.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <hpdf.h>

namespace velsnap {

// A libharu document: its streams Flate-compressed, its text UTF-8 in one
// embedded TrueType font. libharu goes on after a failed call; the first
// failure is kept and reported by failure().
class HaruDocument {
public:
    HaruDocument();
    ~HaruDocument();
    HaruDocument(const HaruDocument &) = delete;
    HaruDocument &operator=(const HaruDocument &) = delete;

    // Embeds the font at `fontFile` (a path as fopen() takes it) and sets
    // every later text in it.
    bool useFont(const QByteArray &fontFile);
    void setInfo(const QString &title, const QString &creator);

    HPDF_Page addA4Page();
    // Text with its baseline starting at x, y (points from the lower left).
    void text(HPDF_Page page, float x, float y, float size, const QString &text);
    float textWidth(float size, const QString &text) const;
    // The picture (top row first; red, green, blue) stretched over `box`.
    void image(HPDF_Page page, const PixelRows &picture, const QRectF &box);

    // The whole file; empty after a failure.
    QByteArray bytes();
    // libharu's error and detail numbers of the first failure; empty if none.
    QString failure() const;

private:
    static void keepError(HPDF_STATUS error, HPDF_STATUS detail, void *document);

    HPDF_Doc m_document;
    HPDF_Font m_font = nullptr;
    HPDF_STATUS m_error = HPDF_OK;
    HPDF_STATUS m_detail = HPDF_OK;
};

} // namespace velsnap
