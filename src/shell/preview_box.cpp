#include "shell/preview_box.h"

#include <QPainter>

namespace velsnap {

PreviewBox::PreviewBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    clearPicture();
}

void PreviewBox::drawPoint(int x, int y, Bgr colour)
{
    m_canvas.setPixel(x, y, qRgb(colour.red, colour.green, colour.blue));
    // Points arrive 76800 at a time; one repaint request covers them all.
    if (!m_repaintPending) {
        m_repaintPending = true;
        update();
    }
}

void PreviewBox::showPicture(const QImage &picture)
{
    m_canvas = picture.convertToFormat(QImage::Format_ARGB32);
    update();
}

void PreviewBox::clearPicture()
{
    m_canvas = QImage(kPictureWidth, kPictureHeight, QImage::Format_ARGB32);
    m_canvas.fill(Qt::transparent);
    update();
}

void PreviewBox::paintEvent(QPaintEvent *)
{
    m_repaintPending = false;
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(backgroundRole()));
    painter.drawImage(0, 0, m_canvas);
}

} // namespace velsnap
