#include "strip_canvas.h"

#include "picture_probe.h"
#include "place_inside.h"
#include "strip_geometry.h"
#include "texts.h"

#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QToolTip>
#include <QWheelEvent>

namespace velsnap {

namespace {

// A few tens of screens of rows, 4 MB at most: rows beyond are read again
// from their files when they come back into view, so a long session stays flat.
constexpr int kKeptThumbnails = 48;
constexpr int kKeptLabels = 48;
// Long enough that rows passing by during start-up are not read at all,
// short enough that a row the user scrolls to fills before they look twice.
constexpr int kLateReadMs = 30;
// A selected thumbnail's frame lies this far outside its picture, which stays exact.
constexpr int kFrameWidth = 2;

// A hidden copy of element 0, to draw the elements of its array with.
QLabel *stampOf(const QLabel *model)
{
    auto *copy = new QLabel(model->parentWidget());
    copy->setFrameStyle(model->frameStyle());
    copy->setLineWidth(model->lineWidth());
    copy->setScaledContents(model->hasScaledContents());
    copy->setAlignment(model->alignment());
    copy->setTextFormat(model->textFormat());
    copy->setPalette(model->palette());
    copy->setBackgroundRole(model->backgroundRole());
    copy->setForegroundRole(model->foregroundRole());
    copy->setAutoFillBackground(model->autoFillBackground());
    copy->setFont(model->font());
    copy->resize(model->size());
    copy->hide();
    return copy;
}

} // namespace

StripCanvas::StripCanvas(QWidget *container, QLabel *image0, QLabel *label0,
                         const std::vector<ThumbnailElement> &images, const std::vector<LabelElement> &labels,
                         const StripSelection &selection, std::function<QString(const QString &)> pathOf)
    : m_container(container),
      m_image0(image0),
      m_label0(label0),
      m_images(images),
      m_labels(labels),
      m_selection(selection),
      m_pathOf(std::move(pathOf)),
      m_thumbnailStamp(stampOf(image0)),
      m_labelStamp(stampOf(label0)),
      m_thumbnails(kKeptThumbnails),
      m_labelPictures(kKeptLabels)
{
    m_lateReads.setSingleShot(true);
    m_lateReads.setInterval(kLateReadMs);
    connect(&m_lateReads, &QTimer::timeout, this, &StripCanvas::readThumbnailsInView);
    container->installEventFilter(this);
    // Element 0 keeps its place, size and hint; the container draws its row
    // beneath it and hears the mouse there, as for every other row.
    for (QLabel *model : {image0, label0}) {
        model->setAutoFillBackground(false);
        model->setAttribute(Qt::WA_TransparentForMouseEvents);
        model->installEventFilter(this);
    }
}

StripHit StripCanvas::hitAt(const QPoint &at) const
{
    const auto [first, last] = rowsIn(QRect(at, QSize(1, 1)));
    for (int row = first; row <= last; ++row) {
        if (m_images[row].visible && thumbnailPlace(row).contains(at))
            return {row, true};
        if (m_labels[row].visible && labelPlace(row).contains(at))
            return {row, false};
    }
    return {};
}

QRect StripCanvas::thumbnailPlace(int row) const
{
    const int y = placeInside(m_container, {0, m_images.at(row).top, 0, 0}).y();
    return {m_image0->x(), y, m_image0->width(), m_image0->height()};
}

QRect StripCanvas::labelPlace(int row) const
{
    const int y = placeInside(m_container, {0, m_labels.at(row).top, 0, 0}).y();
    return {m_label0->x(), y, m_label0->width(), m_label0->height()};
}

QSize StripCanvas::thumbnailSize() const
{
    return m_image0->contentsRect().size();
}

void StripCanvas::rowChanged(int row, const QPixmap &made)
{
    m_thumbnails.remove(row);
    m_labelPictures.remove(row);
    if (!made.isNull())
        m_thumbnails.insert(row, new QPixmap(made));
    m_container->update(framePlace(row).united(labelPlace(row)));
}

void StripCanvas::selectionChanged()
{
    const auto [first, last] = rowsIn(viewArea());
    for (int row = first; row <= last; ++row)
        m_container->update(framePlace(row));
}

QRect StripCanvas::framePlace(int row) const
{
    const QRect picture = m_image0->contentsRect().translated(thumbnailPlace(row).topLeft());
    return picture.adjusted(-kFrameWidth, -kFrameWidth, kFrameWidth, kFrameWidth);
}

QPixmap StripCanvas::thumbnail(int row)
{
    if (!m_thumbnails.contains(row))
        m_thumbnails.insert(row, new QPixmap(readThumbnail(row)));
    return *m_thumbnails.object(row);
}

bool StripCanvas::waitsForThumbnail(int row) const
{
    return m_images[row].visible && !m_images[row].picture.isEmpty() && !m_thumbnails.contains(row);
}

bool StripCanvas::waitingForThumbnails() const
{
    const auto [first, last] = rowsIn(viewArea());
    for (int row = first; row <= last; ++row) {
        if (waitsForThumbnail(row))
            return true;
    }
    return false;
}

bool StripCanvas::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_container)
        return event->type() == QEvent::Paint; // element 0: its row is drawn by the container
    switch (event->type()) {
    case QEvent::Paint: {
        // Beneath the container's own border, which it draws next.
        QPainter painter(m_container);
        paintRows(painter, static_cast<QPaintEvent *>(event)->rect());
        return false;
    }
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const StripHit hit = hitAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && hit.onThumbnail)
            emit thumbnailClicked(hit.row, mouse->modifiers());
        return false; // a drag may start from here
    }
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const StripHit hit = hitAt(mouse->position().toPoint());
        if (mouse->button() != Qt::LeftButton || !hit.onThumbnail)
            return false;
        emit rowActivated(hit.row);
        return true;
    }
    case QEvent::Wheel: {
        if (const int notches =
                strip::wheelNotches(m_wheelCarried, static_cast<QWheelEvent *>(event)->angleDelta().y()))
            emit wheelTurned(notches);
        return true;
    }
    case QEvent::ToolTip: {
        const auto *help = static_cast<QHelpEvent *>(event);
        return showTooltip(help->pos(), help->globalPos());
    }
    default:
        return false;
    }
}

std::pair<int, int> StripCanvas::rowsIn(const QRect &area) const
{
    const int inner = m_container->contentsRect().top();
    const auto [first, last] =
        strip::rowsAcross((area.top() - inner) * kTwipsPerPixel, (area.bottom() + 1 - inner) * kTwipsPerPixel);
    return {first, std::min(last, int(m_images.size()) - 1)};
}

QRect StripCanvas::viewArea() const
{
    return m_container->visibleRegion().boundingRect();
}

void StripCanvas::paintRows(QPainter &painter, const QRect &area)
{
    bool waiting = false;
    const auto [first, last] = rowsIn(area);
    for (int row = first; row <= last; ++row) {
        if (m_images[row].visible && framePlace(row).united(thumbnailPlace(row)).intersects(area))
            waiting |= !drawThumbnail(painter, row);
        if (m_labels[row].visible && labelPlace(row).intersects(area))
            drawLabel(painter, row);
    }
    if (waiting && !m_lateReads.isActive())
        m_lateReads.start();
}

bool StripCanvas::drawThumbnail(QPainter &painter, int row)
{
    if (m_emptyThumbnail.isNull())
        m_emptyThumbnail = stamped(m_thumbnailStamp);
    const QRect place = thumbnailPlace(row);
    const QRect picture = m_image0->contentsRect().translated(place.topLeft());
    painter.drawPixmap(place.topLeft(), m_emptyThumbnail);
    const QPixmap *kept = m_images[row].picture.isEmpty() ? nullptr : m_thumbnails.object(row);
    if (kept)
        painter.drawPixmap(picture.topLeft(), *kept);
    else if (m_images[row].trashed)
        drawTrashed(painter, picture);
    if (m_selection.contains(row)) {
        const QRect frame = framePlace(row);
        painter.save();
        painter.setClipRegion(QRegion(frame).subtracted(picture));
        painter.fillRect(frame, m_container->palette().color(QPalette::Highlight));
        painter.restore();
    }
    return kept || m_images[row].picture.isEmpty();
}

void StripCanvas::drawTrashed(QPainter &painter, const QRect &picture)
{
    painter.save();
    painter.setFont(m_label0->font());
    painter.setPen(m_label0->palette().color(QPalette::WindowText));
    painter.drawText(picture, Qt::AlignCenter | Qt::TextWordWrap, texts::kTrashedThumbnail);
    painter.restore();
}

void StripCanvas::drawLabel(QPainter &painter, int row)
{
    if (!m_labelPictures.contains(row)) {
        m_labelStamp->setText(m_labels[row].caption);
        m_labelPictures.insert(row, new QPixmap(stamped(m_labelStamp)));
    }
    painter.drawPixmap(labelPlace(row).topLeft(), *m_labelPictures.object(row));
}

bool StripCanvas::showTooltip(const QPoint &at, const QPoint &globalAt)
{
    const StripHit hit = hitAt(at);
    if (hit.row < 0) {
        QToolTip::hideText();
        return true;
    }
    const QLabel *model = hit.onThumbnail ? m_image0 : m_label0;
    QToolTip::showText(globalAt, model->toolTip(), m_container,
                       hit.onThumbnail ? thumbnailPlace(hit.row) : labelPlace(hit.row));
    return true;
}

void StripCanvas::readThumbnailsInView()
{
    const auto [first, last] = rowsIn(viewArea());
    for (int row = first; row <= last; ++row) {
        if (waitsForThumbnail(row)) {
            thumbnail(row); // read and kept
            m_container->update(thumbnailPlace(row));
        }
    }
    emit thumbnailsRead();
}

QPixmap StripCanvas::readThumbnail(int row) const
{
    const QString &file = m_images.at(row).picture;
    if (file.isEmpty())
        return {};
    const QImage picture(m_pathOf(file));
    return picture.isNull() ? QPixmap() : reducedPicture(picture, thumbnailSize());
}

QPixmap StripCanvas::stamped(QLabel *stamp) const
{
    const qreal ratio = m_container->devicePixelRatioF();
    QPixmap picture(stamp->size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    stamp->render(&picture, {}, {}, QWidget::DrawChildren);
    return picture;
}

} // namespace velsnap
