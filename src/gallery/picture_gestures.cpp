#include "picture_gestures.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

namespace velsnap {

namespace {

constexpr QSize kDragPictureSize(160, 120);

} // namespace

QMimeData *pictureMimeData(const QString &path, const QImage &picture)
{
    auto *data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(path)});
    data->setImageData(picture);
    return data;
}

PictureGestures::PictureGestures(QWidget *widget, std::function<QString(const QPoint &)> pictureAt)
    : QObject(widget),
      m_widget(widget),
      m_pictureAt(std::move(pictureAt))
{
    widget->installEventFilter(this);
}

bool PictureGestures::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_widget)
        return false;
    switch (event->type()) {
    case QEvent::ContextMenu: {
        const auto *menu = static_cast<QContextMenuEvent *>(event);
        const QString path = m_pictureAt(menu->pos());
        if (path.isEmpty())
            return false;
        emit contextMenuWanted(path, menu->pos(), menu->globalPos());
        return true;
    }
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_pressedAt = mouse->position().toPoint();
        m_pressed = mouse->button() == Qt::LeftButton ? m_pictureAt(m_pressedAt) : QString();
        return false;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_pressed.isEmpty() || !(mouse->buttons() & Qt::LeftButton) ||
            (mouse->position().toPoint() - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            return false;
        dragOut(std::exchange(m_pressed, QString()));
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_pressed.clear();
        return false;
    default:
        return false;
    }
}

void PictureGestures::dragOut(const QString &path)
{
    const QImage picture(path);
    if (picture.isNull())
        return; // an empty row or a file gone since: nothing to give
    auto *drag = new QDrag(m_widget);
    drag->setMimeData(pictureMimeData(path, picture));
    drag->setPixmap(
        QPixmap::fromImage(picture.scaled(kDragPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    drag->exec(Qt::CopyAction);
}

} // namespace velsnap
