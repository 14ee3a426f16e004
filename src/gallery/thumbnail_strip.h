#pragma once

#include "gallery/strip_geometry.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QLabel;
class QScrollBar;
class QWidget;

namespace velsnap {

class PreviewBox;
struct ProgramFolders;

struct StripWidgets {
    QWidget *pic_cont;
    QScrollBar *VScroll1;
    QLabel *image1_0;
    QLabel *lbl_filename_0;
    QLabel *img1;
    PreviewBox *pic1;
};

// The scrollable column of thumbnails with their file names, newest at the
// bottom. Rows are made as hidden copies of row 0 and never removed.
// A thumbnail keeps its picture, reduced to the size it is drawn at, even
// when the file goes away.
class ThumbnailStrip : public QObject {
public:
    // `largestBarValue` is what the scroll bar can hold; rows stop where its
    // maximum would not fit.
    ThumbnailStrip(StripWidgets widgets, const ProgramFolders &folders, std::function<bool()> receiving,
                   int largestBarValue = strip::kLargestBarValue);

    // Appends the picture `fileName` of the picture folder; a file that is
    // no picture changes nothing.
    void add_thumbnail(const QString &fileName);
    void Image1_DblClick(int index);
    void VScroll1_Change();

    int imageCount() const { return image_count; }
    QLabel *image1(int index) const { return m_image1.at(index); }
    QLabel *lbl_filename(int index) const { return m_lbl_filename.at(index); }
    // Where the strip has put things, in twips.
    double containerTop() const { return m_containerTop; }
    double containerHeight() const { return m_containerHeight; }
    double rowTop(int index) const { return m_rowTop.at(index); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ensureRow(int row);
    void placeContainer();
    void placeRow(int row);

    StripWidgets w;
    const ProgramFolders &m_folders;
    std::function<bool()> m_receiving;
    int m_largestBarValue;
    std::vector<QLabel *> m_image1;
    std::vector<QLabel *> m_lbl_filename;
    std::vector<double> m_rowTop; // twips, as set by the strip
    double m_containerTop = 0;
    double m_containerHeight;
    int image_count = 0;
};

} // namespace velsnap
