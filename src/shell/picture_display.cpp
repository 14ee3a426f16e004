#include "shell/picture_display.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace velsnap {

void showPictureAtOwnSize(QLabel *image, const QPixmap &picture)
{
    if (picture.isNull())
        return image->clear(); // as a run clears it: the place stays
    image->setPixmap(picture);
    image->resize(picture.size());
}

void copyPictureToClipboard(const QImage &picture)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!picture.isNull())
        clipboard->setImage(picture);
}

} // namespace velsnap
