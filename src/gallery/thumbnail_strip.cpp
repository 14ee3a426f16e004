#include "gallery/thumbnail_strip.h"

#include "folders/program_folders.h"
#include "gallery/strip_geometry.h"
#include "shell/control_factory.h"
#include "shell/picture_display.h"
#include "shell/preview_box.h"

#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>

namespace velsnap {

namespace {

// A hidden twin of row 0's element, at row 0's place.
QLabel *copyOfElement(const QLabel *model, int index)
{
    auto *copy = new QLabel(model->parentWidget());
    const QString name = model->objectName();
    copy->setObjectName(name.left(name.indexOf(u'(')) + QStringLiteral("(%1)").arg(index));
    copy->setFrameStyle(model->frameStyle());
    copy->setLineWidth(model->lineWidth());
    copy->setScaledContents(model->hasScaledContents());
    copy->setAlignment(model->alignment());
    copy->setTextFormat(model->textFormat());
    copy->setToolTip(model->toolTip());
    copy->setPalette(model->palette());
    copy->setBackgroundRole(model->backgroundRole());
    copy->setForegroundRole(model->foregroundRole());
    copy->setAutoFillBackground(model->autoFillBackground());
    copy->setFont(model->font());
    copy->setFocusPolicy(model->focusPolicy());
    copy->setGeometry(model->geometry());
    copy->hide();
    return copy;
}

// Reduced once, as the label itself would reduce it, to the size it is drawn
// at: it draws the same, and a thousand rows stay small in memory. The
// colours stay as loaded: 16 bits would turn the device's 248 white into 255.
QPixmap thumbnailOf(const QImage &picture, const QLabel *thumbnail)
{
    const QSize size = thumbnail->contentsRect().size();
    return QPixmap::fromImage(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace

ThumbnailStrip::ThumbnailStrip(StripWidgets widgets, const ProgramFolders &folders, std::function<bool()> receiving,
                               int largestBarValue)
    : w(widgets),
      m_folders(folders),
      m_receiving(std::move(receiving)),
      m_largestBarValue(largestBarValue),
      m_image1{widgets.image1_0},
      m_lbl_filename{widgets.lbl_filename_0},
      m_rowTop{0},
      m_containerHeight(strip::containerHeight(1))
{
    // Filled, the container hides the viewport behind it: repainting the
    // viewport then needs no look at each of thousands of rows.
    w.pic_cont->setAutoFillBackground(true);
    w.image1_0->installEventFilter(this);
    QObject::connect(w.VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
}

void ThumbnailStrip::add_thumbnail(const QString &fileName)
{
    const int n = image_count;
    const QImage picture(m_folders.image_path + fileName);
    if (picture.isNull())
        return;
    showPictureAtOwnSize(w.img1, QPixmap::fromImage(picture));

    if (n >= 1) {
        ensureRow(n);
        m_containerHeight = strip::containerHeight(n + 1);
        m_rowTop[n] = m_rowTop[n - 1] + strip::kRowPitch;
        placeRow(n);
        m_image1[n]->show();
        m_lbl_filename[n]->show();
        if (n >= 2) {
            w.VScroll1->setValue(strip::scrollMaximum(n - 1));
            m_containerTop = -strip::rowTop(n - 1);
        }
        placeContainer();
        if (!strip::scrollMaximumFits(n, m_largestBarValue))
            return; // the bar cannot reach this row: it is refused here
        w.VScroll1->setMaximum(strip::scrollMaximum(n));
    }
    m_image1[n]->setPixmap(thumbnailOf(picture, m_image1[n]));
    m_lbl_filename[n]->setText(fileName);
    image_count = n + 1;
}

void ThumbnailStrip::Image1_DblClick(int index)
{
    if (m_receiving())
        return;
    const QImage picture(m_folders.image_path + m_lbl_filename.at(index)->text());
    if (picture.isNull())
        return; // an empty row or a file gone since: nothing to show
    w.pic1->showPicture(picture);
    w.pic1->show();
    copyPictureToClipboard(picture);
}

void ThumbnailStrip::VScroll1_Change()
{
    m_containerTop = strip::containerTop(w.VScroll1->value());
    placeContainer();
}

bool ThumbnailStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const auto row = std::find(m_image1.begin(), m_image1.end(), watched);
        if (row != m_image1.end()) {
            Image1_DblClick(int(row - m_image1.begin()));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ThumbnailStrip::ensureRow(int row)
{
    // A call refused earlier may have made this row already: use it again.
    if (row < int(m_image1.size()))
        return;
    m_image1.push_back(copyOfElement(w.image1_0, row));
    m_lbl_filename.push_back(copyOfElement(w.lbl_filename_0, row));
    m_rowTop.push_back(0);
    m_image1.back()->installEventFilter(this);
}

void ThumbnailStrip::placeContainer()
{
    const QRect old = w.pic_cont->geometry();
    const QRect place = placeInside(w.pic_cont->parentWidget(), {0, m_containerTop, 0, m_containerHeight});
    w.pic_cont->setGeometry(old.x(), place.y(), old.width(), place.height());
}

void ThumbnailStrip::placeRow(int row)
{
    const QRect image = m_image1[row]->geometry();
    const QRect label = m_lbl_filename[row]->geometry();
    const QRect imageAt = placeInside(w.pic_cont, {0, m_rowTop[row], 0, 0});
    const QRect labelAt = placeInside(w.pic_cont, {0, strip::labelTop(m_rowTop[row]), 0, 0});
    m_image1[row]->move(image.x(), imageAt.y());
    m_lbl_filename[row]->move(label.x(), labelAt.y());
}

} // namespace velsnap
