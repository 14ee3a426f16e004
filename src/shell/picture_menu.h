#pragma once

#include "picture/picture_facts.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

class QWidget;

namespace velsnap {

class Dialogs;

// The right-click menu of a picture file of the strip or of img1, and what
// its entries do. None of them waits for anything, so a run goes on while
// they are used.
class PictureMenu : public QObject {
public:
    PictureMenu(QWidget *window, Dialogs &dialogs, std::function<PictureFacts(const QString &)> factsOf);

    void popup(const QString &path, const QPoint &globalPos);

    // The picture onto the clipboard, `scale` times enlarged pixel for pixel.
    void copy(const QString &path, int scale);
    // A PNG of the same pixels, with its facts, where the user says.
    void saveAsPng(const QString &path);
    void showInFolder(const QString &path);

private:
    void writePng(const QImage &picture, const PictureFacts &facts, const QString &target);

    QWidget *m_window;
    Dialogs &m_dialogs;
    std::function<PictureFacts(const QString &)> m_factsOf;
};

} // namespace velsnap
