#pragma once

class QImage;
class QLabel;
class QPixmap;

namespace velsnap {

// Shows a picture in an image control that takes the picture's own size;
// a null picture clears it.
void showPictureAtOwnSize(QLabel *image, const QPixmap &picture);

// Empties the clipboard, then puts the picture on it.
void copyPictureToClipboard(const QImage &picture);

} // namespace velsnap
