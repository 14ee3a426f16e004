#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace velsnap {

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

} // namespace velsnap
