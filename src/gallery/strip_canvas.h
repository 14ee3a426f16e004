#pragma once

#include "strip_elements.h"
#include "strip_selection.h"

#include <QCache>
#include <QObject>
#include <QPixmap>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

class QLabel;
class QPainter;
class QWidget;

namespace velsnap {

// Where a point of the container falls: a row's thumbnail or its label.
struct StripHit {
    int row = -1; // -1: between rows, beside them or past the last
    bool onThumbnail = false;
    bool operator==(const StripHit &) const = default;
};

// Draws every row of the strip into the container, row 0 included: the
// layout's element 0 of each array stays in its place as the model of its
// array, but draws nothing and lets the mouse through, so all rows look
// and answer alike. A repaint costs the rows in view, whatever the number
// of rows. Each element is drawn by a hidden copy of element 0 of its array.
// A thumbnail is read from its file shortly after its row comes into view;
// a bounded number of them is kept.
class StripCanvas : public QObject {
    Q_OBJECT

public:
    StripCanvas(QWidget *container, QLabel *image0, QLabel *label0, const std::vector<ThumbnailElement> &images,
                const std::vector<LabelElement> &labels, const StripSelection &selection,
                std::function<QString(const QString &)> pathOf);

    // The one place a point of the container, in its pixels, turns into a row.
    StripHit hitAt(const QPoint &at) const;

    // Where element n of each array stands, in the container's pixels.
    QRect thumbnailPlace(int row) const;
    QRect labelPlace(int row) const;
    // The size thumbnails are made at: the inner area of a thumbnail.
    QSize thumbnailSize() const;

    // Row n has changed: drawn again from its elements, its thumbnail `made`
    // already when given, else read when next in view.
    void rowChanged(int row, const QPixmap &made = {});
    // The thumbnail row n draws, read from its file now if need be.
    QPixmap thumbnail(int row);
    // Whether a row in view still waits for its thumbnail.
    bool waitingForThumbnails() const;
    // The selection has changed: the frames in view are drawn again.
    void selectionChanged();

signals:
    // Thumbnails that were waiting have been read and drawn.
    void thumbnailsRead();
    // A row's thumbnail was double-clicked with the left button.
    void rowActivated(int row);
    // A row's thumbnail was pressed with the left button, these keys held.
    void thumbnailClicked(int row, Qt::KeyboardModifiers keys);
    // The wheel turned over the thumbnails by whole notches, positive away from the user.
    void wheelTurned(int notches);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::pair<int, int> rowsIn(const QRect &area) const;
    QRect viewArea() const;
    bool waitsForThumbnail(int row) const; // shown, with a picture, not read yet
    void paintRows(QPainter &painter, const QRect &area);
    bool drawThumbnail(QPainter &painter, int row);
    void drawTrashed(QPainter &painter, const QRect &picture);
    QRect framePlace(int row) const;
    void drawLabel(QPainter &painter, int row);
    bool showTooltip(const QPoint &at, const QPoint &globalAt);
    void readThumbnailsInView();
    QPixmap readThumbnail(int row) const;
    QPixmap stamped(QLabel *stamp) const;

    QWidget *m_container;
    QLabel *m_image0;
    QLabel *m_label0;
    const std::vector<ThumbnailElement> &m_images;
    const std::vector<LabelElement> &m_labels;
    const StripSelection &m_selection;
    std::function<QString(const QString &)> m_pathOf;
    QLabel *m_thumbnailStamp;
    QLabel *m_labelStamp;
    QPixmap m_emptyThumbnail;
    QCache<int, QPixmap> m_thumbnails;
    int m_wheelCarried = 0; // of a turn short of a notch
    QCache<int, QPixmap> m_labelPictures;
    QTimer m_lateReads;
};

} // namespace velsnap
