#include "testpattern.h"

#include "frame.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace velsnap {

namespace {

void paintBars(QPainter &painter)
{
    const QColor bars[] = {Qt::white, Qt::yellow, Qt::cyan, Qt::green, Qt::magenta, Qt::red, Qt::blue, Qt::black};
    const int width = kFrameWidth / 8;
    for (int i = 0; i < 8; ++i)
        painter.fillRect(i * width, 0, width, 120, bars[i]);
}

// Red, green, blue and grey ramps from dark on the left to full on the right.
void paintRamps(QPainter &painter)
{
    for (int x = 0; x < kFrameWidth; ++x) {
        const int v = x * 255 / (kFrameWidth - 1);
        painter.fillRect(x, 120, 1, 10, QColor(v, 0, 0));
        painter.fillRect(x, 130, 1, 10, QColor(0, v, 0));
        painter.fillRect(x, 140, 1, 10, QColor(0, 0, v));
        painter.fillRect(x, 150, 1, 10, QColor(v, v, v));
    }
}

void paintShapes(QPainter &painter, int copy)
{
    painter.fillRect(0, 160, kFrameWidth, 80, QColor(32, 32, 32));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 128, 0));
    painter.drawEllipse(QPoint(40, 188), 22, 22);
    painter.setBrush(Qt::magenta);
    painter.drawPolygon(QPolygon({QPoint(90, 210), QPoint(130, 210), QPoint(110, 168)}));
    painter.setBrush(Qt::cyan);
    painter.drawRect(150, 170, 60, 36);
    // Sixteen places, so a run of copies is easy to tell apart.
    constexpr int step = 19;
    painter.fillRect(8 + ((copy - 1) % 16) * step, 218, 16, 16, Qt::white);
}

} // namespace

QImage testPattern(int copy)
{
    QImage image(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    paintBars(painter);
    paintRamps(painter);
    paintShapes(painter, copy);
    return image;
}

} // namespace velsnap
