#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

class QImage;
class QMimeData;
class QWidget;

namespace velsnap {

// The file as a URL, for a file manager, and the picture itself, for a word
// processor or a mail.
QMimeData *pictureMimeData(const QString &path, const QImage &picture);

// Right-click and drag out on a widget that shows picture files.
// `pictureAt` names the file whose picture lies under a point of the widget;
// empty: none.
class PictureGestures : public QObject {
    Q_OBJECT

public:
    PictureGestures(QWidget *widget, std::function<QString(const QPoint &)> pictureAt);

signals:
    // `at` in the widget's pixels.
    void contextMenuWanted(const QString &path, const QPoint &at, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void dragOut(const QString &path);

    QWidget *m_widget;
    std::function<QString(const QPoint &)> m_pictureAt;
    QString m_pressed; // the picture under the left button, while it is down
    QPoint m_pressedAt;
};

} // namespace velsnap
