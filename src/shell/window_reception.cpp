#include "shell/window_reception.h"

#include "shell/dialogs.h"
#include "shell/picture_display.h"
#include "shell/preview_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>

namespace velsnap {

WindowReception::WindowReception(ReceptionWidgets widgets, Dialogs &dialogs, AddThumbnail add_thumbnail)
    : w(widgets),
      m_dialogs(dialogs),
      m_add_thumbnail(std::move(add_thumbnail))
{}

void WindowReception::showStatus(const QString &text)
{
    w.lbl_status->setText(text);
}

void WindowReception::showControls(const QString &receiveCaption, bool portChoiceEnabled)
{
    w.cmd_receive->setText(receiveCaption);
    w.cmb_port->setEnabled(portChoiceEnabled);
}

void WindowReception::showReport(ReportLabel label, const QString &text)
{
    switch (label) {
    case ReportLabel::Start:
        return w.lbl_start->setText(text);
    case ReportLabel::End:
        return w.lbl_end->setText(text);
    case ReportLabel::Time:
        return w.lbl_time->setText(text);
    case ReportLabel::Bytes:
        return w.lbl_byte->setText(text);
    }
}

bool WindowReception::previewOn() const
{
    return w.chk_viewimage->checkState() == Qt::Checked;
}

void WindowReception::drawPoint(int x, int y, Bgr colour)
{
    w.pic1->drawPoint(x, y, colour);
}

void WindowReception::pictureStarted()
{
    w.pic1->clearPicture();
    pictureDropped(); // and the finished picture goes too
}

void WindowReception::pictureDropped()
{
    w.img1->clear();
    w.pic1->show();
    w.img1->hide();
}

void WindowReception::pictureSaved(const QString &path, const PictureFacts &facts)
{
    const QImage picture(path);
    m_add_thumbnail(QFileInfo(path).fileName(), picture, facts); // shows it in img1 too
    w.img1->show();
    w.pic1->hide();
    copyPictureToClipboard(picture);
}

void WindowReception::message(const QString &text, const QString &detail)
{
    m_dialogs.message(text, detail);
}

} // namespace velsnap
