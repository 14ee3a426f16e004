#pragma once

#include "picture/pixel_conversion.h"

#include <QImage>
#include <QWidget>

namespace velsnap {

// A picture box in device pixel units: one point is one pixel of the screen copy.
// Shows either the points drawn so far or a whole loaded picture.
class PreviewBox : public QWidget {
    Q_OBJECT

public:
    explicit PreviewBox(QWidget *parent = nullptr);

    void drawPoint(int x, int y, Bgr colour);
    void showPicture(const QImage &picture);
    void clearPicture();
    const QImage &picture() const { return m_canvas; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_canvas;
    bool m_repaintPending = false;
};

} // namespace velsnap
