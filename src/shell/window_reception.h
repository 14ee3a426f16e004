#pragma once

#include "run/reception_front_end.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace velsnap {

class Dialogs;
class PreviewBox;

// The window elements a reception run writes or reads.
struct ReceptionWidgets {
    QLabel *lbl_status;
    QPushButton *cmd_receive;
    QComboBox *cmb_port;
    QCheckBox *chk_viewimage;
    PreviewBox *pic1;
    QLabel *img1;
    QLabel *lbl_byte;
    QLabel *lbl_start;
    QLabel *lbl_end;
    QLabel *lbl_time;
};

// The window as the reception run's front end.
class WindowReception : public ReceptionFrontEnd {
public:
    using AddThumbnail = std::function<void(const QString &fileName, const QImage &picture, const PictureFacts &facts)>;
    WindowReception(ReceptionWidgets widgets, Dialogs &dialogs, AddThumbnail add_thumbnail);

    void showStatus(const QString &text) override;
    void showControls(const QString &receiveCaption, bool portChoiceEnabled) override;
    void showReport(ReportLabel label, const QString &text) override;
    void showProgress(int) override {} // the byte label says it
    bool previewOn() const override;
    void drawPoint(int x, int y, Bgr colour) override;
    void pictureStarted() override;
    void pictureDropped() override;
    void pictureSaved(const QString &path, const PictureFacts &facts) override;
    void message(const QString &text, const QString &detail) override;

private:
    ReceptionWidgets w;
    Dialogs &m_dialogs;
    AddThumbnail m_add_thumbnail;
};

} // namespace velsnap
