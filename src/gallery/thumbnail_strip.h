#pragma once

#include "picture_gestures.h"
#include "strip_canvas.h"
#include "strip_elements.h"
#include "strip_geometry.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QImage;
class QLabel;
class QScrollBar;
class QWidget;

namespace velsnap {

struct ProgramFolders;

struct StripWidgets {
    QWidget *pic_cont;
    QScrollBar *VScroll1;
    QLabel *image1_0;
    QLabel *lbl_filename_0;
};

// Where the strip's pictures go besides the strip: the finished-picture
// display img1 (at the picture's own size), the live preview pic1 (made
// visible), the clipboard.
struct StripDisplays {
    std::function<void(const QImage &)> img1;
    std::function<void(const QImage &)> pic1;
    std::function<void(const QImage &)> clipboard;
};

// The scrollable column of thumbnails with their file names, newest at the
// bottom: the model of the kept pictures, drawn and heard by one canvas.
// Rows are added as copies of row 0 and never removed. A thumbnail is drawn
// from its file when its row is in view; a row whose file has gone since
// shows an empty thumbnail.
class ThumbnailStrip : public QObject {
    Q_OBJECT

public:
    // `largestBarValue` is what the scroll bar can hold; rows stop where its
    // maximum would not fit.
    ThumbnailStrip(StripWidgets widgets, StripDisplays displays, const ProgramFolders &folders,
                   std::function<bool()> receiving, int largestBarValue = strip::kLargestBarValue);
    ~ThumbnailStrip() override;

    // Many additions in a row, as at start-up: while a batch lasts, an
    // addition reads only its file's header, and img1 takes the last picture
    // added once, when the batch ends.
    class Batch {
    public:
        explicit Batch(ThumbnailStrip &strip);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        ThumbnailStrip &m_strip;
    };

    // Appends the picture `fileName` of the picture folder; a file that is
    // no picture changes nothing. `loaded`, when given, is that file already
    // read, so it is not read again; `facts` what its run knew of it.
    void add_thumbnail(const QString &fileName, const QImage &loaded = {}, const PictureFacts &facts = {});
    void Image1_DblClick(int index);
    void VScroll1_Change();

    int imageCount() const { return image_count; }
    // Elements made so far, including one a refused call left.
    int elementCount() const { return int(m_image1.size()); }
    const ThumbnailElement *image1(int index) const { return &m_image1.at(index); }
    const LabelElement *lbl_filename(int index) const { return &m_lbl_filename.at(index); }
    // Where the elements of a row stand, in the container's pixels.
    QRect thumbnailPlace(int index) const;
    QRect labelPlace(int index) const;
    // The thumbnail row n draws.
    QImage thumbnail(int index);
    StripCanvas &canvas() { return *m_canvas; }
    // Right-click and drag out on the rows.
    PictureGestures &gestures() { return *m_gestures; }
    // The path of a picture of the strip, and what is known of it: the
    // time of its file where no run of this session received it.
    QString pathOf(const QString &fileName) const;
    PictureFacts factsOf(const QString &path) const;
    // The thumbnails picked out by clicks; Esc clears them.
    const StripSelection &selection() const { return m_selection; }
    void clearSelection();
    // The pictures of the selection, in the strip's order.
    QStringList chosenPictures() const;
    // What the right-click menu at `at` (in the container's pixels) acts on:
    // the selection when that thumbnail is in it, otherwise that one alone.
    QStringList menuTargetsAt(const QPoint &at) const;
    // Moves these pictures' files to the trash. Their rows keep their place
    // and names and say they went; img1 lets go of such a picture. A file
    // that stays is said, one line each, in what is returned.
    QStringList trashPictures(const QStringList &paths);
    // The file whose picture the strip last put into img1; empty: none yet.
    const QString &img1Picture() const { return m_img1Picture; }
    // Where the strip has put things, in twips.
    double containerTop() const { return m_containerTop; }
    double containerHeight() const { return m_containerHeight; }
    double rowTop(int index) const { return m_image1.at(index).top; }

private:
    bool showInImg1(const QString &fileName, QImage &picture);
    void showThumbnail(int row, const QImage &picture);
    void paceRepaints();
    void endBatch();
    void ensureRow(int row);
    void placeContainer();
    void select(int row, Qt::KeyboardModifiers keys);
    QStringList picturesOf(const std::vector<int> &rows) const;

    StripWidgets w;
    StripDisplays m_displays;
    const ProgramFolders &m_folders;
    std::function<bool()> m_receiving;
    int m_largestBarValue;
    std::vector<ThumbnailElement> m_image1;
    std::vector<LabelElement> m_lbl_filename;
    StripSelection m_selection;
    std::unique_ptr<StripCanvas> m_canvas;
    PictureGestures *m_gestures; // owned by the container
    double m_containerTop = 0;
    double m_containerHeight;
    int image_count = 0;
    bool m_inBatch = false;
    QString m_batchLast; // the picture img1 takes when the batch ends
    QString m_img1Picture;
    QElapsedTimer m_lastFrame;
};

} // namespace velsnap
