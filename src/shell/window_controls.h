#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

namespace velsnap {

class PreviewBox;

// The controls of the window that the program works with, by their layout names.
struct WindowControls {
    QPushButton *cmd_receive;
    QPushButton *cmd_help;
    QPushButton *cmd_end;
    QComboBox *cmb_port;
    QCheckBox *chk_viewimage;
    QLabel *lbl_status;
    QLabel *lbl_byte;
    QLabel *lbl_start;
    QLabel *lbl_end;
    QLabel *lbl_time;
    PreviewBox *pic1;
    QLabel *img1;
    QWidget *pic_cont;
    QScrollBar *VScroll1;
    QLabel *image1_0;
    QLabel *lbl_filename_0;
};

// Makes every control of the layout table inside `window`, parents first, in
// the table's tab order and stacking, and hands back the ones above.
WindowControls buildWindowControls(QWidget &window);

} // namespace velsnap
