#include "thumbnail_strip.h"

#include "folders/picture_trash.h"
#include "folders/program_folders.h"
#include "picture_probe.h"
#include "place_inside.h"
#include "texts.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <cstdlib>

namespace velsnap {

namespace {

constexpr int kFrameMs = 16;

} // namespace

ThumbnailStrip::ThumbnailStrip(StripWidgets widgets, StripDisplays displays, const ProgramFolders &folders,
                               std::function<bool()> receiving, int largestBarValue)
    : w(widgets),
      m_displays(std::move(displays)),
      m_folders(folders),
      m_receiving(std::move(receiving)),
      m_largestBarValue(largestBarValue),
      m_image1{{strip::rowTop(0), true, {}}},
      m_lbl_filename{{strip::labelTop(strip::rowTop(0)), true, {}}},
      m_canvas(std::make_unique<StripCanvas>(w.pic_cont, w.image1_0, w.lbl_filename_0, m_image1, m_lbl_filename,
                                             m_selection,
                                             [this](const QString &fileName) { return pathOf(fileName); })),
      m_gestures(new PictureGestures(w.pic_cont,
                                     [this](const QPoint &at) {
                                         const int row = m_canvas->hitAt(at).row;
                                         return row < 0 || m_image1[row].picture.isEmpty()
                                                    ? QString()
                                                    : pathOf(m_image1[row].picture);
                                     })),
      m_containerHeight(strip::containerHeight(1))
{
    // Filled, the container hides the viewport behind it, and moving it
    // scrolls what is drawn already instead of drawing it all again.
    w.pic_cont->setAutoFillBackground(true);
    connect(m_canvas.get(), &StripCanvas::rowActivated, this, &ThumbnailStrip::Image1_DblClick);
    connect(m_canvas.get(), &StripCanvas::thumbnailClicked, this, &ThumbnailStrip::select);
    connect(w.VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
    // A notch of the wheel over the thumbnails is a click on the bar's arrow.
    connect(m_canvas.get(), &StripCanvas::wheelTurned, this, [bar = w.VScroll1](int notches) {
        for (int n = 0; n < std::abs(notches); ++n)
            bar->triggerAction(notches > 0 ? QAbstractSlider::SliderSingleStepSub
                                           : QAbstractSlider::SliderSingleStepAdd);
    });
}

ThumbnailStrip::~ThumbnailStrip() = default;

ThumbnailStrip::Batch::Batch(ThumbnailStrip &strip) : m_strip(strip)
{
    m_strip.m_inBatch = true;
}

ThumbnailStrip::Batch::~Batch()
{
    m_strip.endBatch();
}

void ThumbnailStrip::add_thumbnail(const QString &fileName, const QImage &loaded, const PictureFacts &facts)
{
    const int n = image_count;
    QImage picture = loaded; // stays empty while a batch reads headers only
    if (!showInImg1(fileName, picture))
        return;

    if (n >= 1) {
        ensureRow(n);
        m_containerHeight = strip::containerHeight(n + 1);
        ThumbnailElement &thumbnail = m_image1[n];
        LabelElement &label = m_lbl_filename[n];
        thumbnail.top = m_image1[n - 1].top + strip::kRowPitch;
        thumbnail.visible = true;
        label.top = strip::labelTop(thumbnail.top);
        label.visible = true;
        m_canvas->rowChanged(n);
        if (n >= 2) {
            w.VScroll1->setValue(strip::scrollMaximum(n - 1));
            m_containerTop = -strip::rowTop(n - 1);
        }
        placeContainer();
        if (!strip::scrollMaximumFits(n, m_largestBarValue))
            return; // the bar cannot reach this row: it is refused here
        w.VScroll1->setMaximum(strip::scrollMaximum(n));
    }

    m_image1[n].picture = fileName;
    m_image1[n].facts = facts;
    // Rows are read again from their files when drawn, unless the picture is at hand.
    m_lbl_filename[n].caption = fileName;
    if (n == 0)
        w.lbl_filename_0->setText(fileName); // element 0 of the layout names row 0, as before
    m_canvas->rowChanged(n, picture.isNull() ? QPixmap() : reducedPicture(picture, m_canvas->thumbnailSize()));
    image_count = n + 1;
    if (m_inBatch)
        paceRepaints();
}

void ThumbnailStrip::Image1_DblClick(int index)
{
    if (m_receiving())
        return;
    const QImage picture(pathOf(m_lbl_filename.at(index).caption));
    if (picture.isNull())
        return; // an empty row or a file gone since: nothing to show
    m_displays.pic1(picture);
    m_displays.clipboard(picture);
}

void ThumbnailStrip::VScroll1_Change()
{
    m_containerTop = strip::containerTop(w.VScroll1->value());
    placeContainer();
}

QRect ThumbnailStrip::thumbnailPlace(int index) const
{
    return m_canvas->thumbnailPlace(index);
}

QRect ThumbnailStrip::labelPlace(int index) const
{
    return m_canvas->labelPlace(index);
}

QImage ThumbnailStrip::thumbnail(int index)
{
    return m_canvas->thumbnail(index).toImage();
}

void ThumbnailStrip::select(int row, Qt::KeyboardModifiers keys)
{
    if (m_image1[row].picture.isEmpty()) {
        // Nothing to pick out there; a plain click still lets go of the rest.
        if (!(keys & (Qt::ControlModifier | Qt::ShiftModifier)))
            clearSelection();
        return;
    }
    m_selection.click(row, keys & Qt::ShiftModifier     ? SelectClick::Range
                           : keys & Qt::ControlModifier ? SelectClick::Toggle
                                                        : SelectClick::Plain);
    m_canvas->selectionChanged();
}

void ThumbnailStrip::clearSelection()
{
    m_selection.clear();
    m_canvas->selectionChanged();
}

QStringList ThumbnailStrip::picturesOf(const std::vector<int> &rows) const
{
    QStringList paths;
    for (int row : rows) {
        if (!m_image1[row].picture.isEmpty())
            paths << pathOf(m_image1[row].picture);
    }
    return paths;
}

QStringList ThumbnailStrip::chosenPictures() const
{
    return picturesOf(m_selection.rows());
}

QStringList ThumbnailStrip::menuTargetsAt(const QPoint &at) const
{
    const int row = m_canvas->hitAt(at).row;
    return row < 0 ? QStringList() : picturesOf(m_selection.menuTarget(row));
}

QStringList ThumbnailStrip::trashPictures(const QStringList &paths)
{
    QStringList failures;
    for (const QString &path : paths) {
        if (const QString reason = moveToTrash(path); !reason.isEmpty()) {
            failures << texts::kNotTrashed.arg(QDir::toNativeSeparators(path), reason);
            continue;
        }
        const QString name = QFileInfo(path).fileName();
        for (int row = 0; row < int(m_image1.size()); ++row) {
            if (m_image1[row].picture != name)
                continue;
            m_image1[row].picture.clear();
            m_image1[row].trashed = true;
            m_selection.remove(row);
            m_canvas->rowChanged(row);
        }
        if (m_img1Picture == name) {
            m_displays.img1(QImage());
            m_img1Picture.clear();
        }
    }
    return failures;
}

PictureFacts ThumbnailStrip::factsOf(const QString &path) const
{
    // Newest first: a name is written once, so the last row of that name is its reception.
    const QString name = QFileInfo(path).fileName();
    for (auto row = m_image1.rbegin(); row != m_image1.rend(); ++row) {
        if (row->picture == name && row->facts.received.isValid())
            return row->facts;
    }
    return {QFileInfo(path).lastModified(), {}};
}

// Step 1 of an addition: the picture into img1, or, in a batch, only a look
// at its header. False when the file is not a picture.
bool ThumbnailStrip::showInImg1(const QString &fileName, QImage &picture)
{
    if (m_inBatch) {
        if (!pictureSize(pathOf(fileName)))
            return false;
        m_batchLast = fileName;
        return true;
    }
    if (picture.isNull() && !picture.load(pathOf(fileName)))
        return false;
    m_displays.img1(picture);
    m_img1Picture = fileName;
    return true;
}

// A batch adds rows faster than anyone can see them one by one, and each
// repaint of the viewport costs as much as a few additions: it is drawn at
// most once a frame, while events are still handled after every addition.
void ThumbnailStrip::paceRepaints()
{
    const bool due = !m_lastFrame.isValid() || m_lastFrame.elapsed() >= kFrameMs;
    if (due)
        m_lastFrame.start();
    QWidget *viewport = w.pic_cont->parentWidget();
    if (viewport->updatesEnabled() != due)
        viewport->setUpdatesEnabled(due);
}

void ThumbnailStrip::endBatch()
{
    m_inBatch = false;
    m_lastFrame.invalidate();
    w.pic_cont->parentWidget()->setUpdatesEnabled(true);
    const QImage last(m_batchLast.isEmpty() ? QString() : pathOf(m_batchLast));
    if (!last.isNull()) {
        m_displays.img1(last);
        m_img1Picture = m_batchLast;
    }
    m_batchLast.clear();
}

void ThumbnailStrip::ensureRow(int row)
{
    // A call refused earlier may have made this row already: use it again.
    if (row < int(m_image1.size()))
        return;
    // Copies of element 0: hidden, at its place.
    m_image1.push_back({m_image1.front().top, false, {}});
    m_lbl_filename.push_back({m_lbl_filename.front().top, false, {}});
}

void ThumbnailStrip::placeContainer()
{
    const QRect old = w.pic_cont->geometry();
    const QRect place = placeInside(w.pic_cont->parentWidget(), {0, m_containerTop, 0, m_containerHeight});
    w.pic_cont->setGeometry(old.x(), place.y(), old.width(), place.height());
}

QString ThumbnailStrip::pathOf(const QString &fileName) const
{
    return m_folders.image_path + fileName;
}

} // namespace velsnap
