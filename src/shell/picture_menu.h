#pragma once

#include "picture/picture_facts.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QThread;
class QWidget;

namespace velsnap {

class Dialogs;

// What the menu asks of the strip.
struct PictureMenuHooks {
    std::function<PictureFacts(const QString &)> factsOf;
    // Moves pictures to the trash; a line for each one that stays.
    std::function<QStringList(const QStringList &)> trash;
};

// The right-click menu of a picture file of the strip or of img1, and what
// its entries do. None of them waits for anything, so a run goes on while
// they are used.
class PictureMenu : public QObject {
public:
    PictureMenu(QWidget *window, Dialogs &dialogs, PictureMenuHooks hooks);

    // The menu of the picture `path` clicked; `chosen` is what the entries
    // for several pictures act on, in the strip's order.
    void popup(const QString &path, const QStringList &chosen, const QPoint &globalPos);

    // The picture onto the clipboard, `scale` times enlarged pixel for pixel.
    void copy(const QString &path, int scale);
    // A PNG of the same pixels, with its facts, where the user says.
    void saveAsPng(const QString &path);
    void showInFolder(const QString &path);
    // To the trash without a question: the trash is the undo.
    void trash(const QStringList &paths);
    // A PDF of these pictures where the user says, written beside the run:
    // the window goes on reading the line meanwhile.
    void makeReport(const QStringList &paths);

    ~PictureMenu() override;

private:
    void writePng(const QImage &picture, const PictureFacts &facts, const QString &target);
    void writeReport(const QStringList &paths, const QString &target);

    QWidget *m_window;
    Dialogs &m_dialogs;
    PictureMenuHooks m_hooks;
    std::vector<std::unique_ptr<QThread>> m_reports; // being written
};

} // namespace velsnap
