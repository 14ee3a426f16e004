#include "shell/window_layout.h"

#include <array>

namespace velsnap {

namespace {

using K = ControlKind;
const auto kCentred = Qt::AlignHCenter | Qt::AlignVCenter;
const auto kRight = Qt::AlignRight | Qt::AlignVCenter;
const auto kLeft = Qt::AlignLeft | Qt::AlignVCenter;
const LayoutColour kNone{};

// The table reads as one row a control, as the layout was drawn.
// clang-format off
const std::array<ControlSpec, 21> kControls{{
    {"cmd_receive", K::CommandButton, nullptr, {1260, 4800, 2355, 495}, QStringLiteral("受信開始(&G)"),
     QStringLiteral("受信の開始／中断を行います")},
    {"lbl_start", K::Label, nullptr, {960, 480, 1035, 255}, QStringLiteral("開始時間"),
     QStringLiteral("受信開始時間を表示します"), Border::Single},
    {"lbl_end", K::Label, nullptr, {2100, 480, 1035, 255}, QStringLiteral("終了時間"),
     QStringLiteral("処理終了時間を表示します"), Border::Single},
    {"lbl_time", K::Label, nullptr, {3240, 480, 1035, 255}, QStringLiteral("処理時間"),
     QStringLiteral("画面コピーデータの処理に要した時間を表示します"), Border::Single},
    {"lbl_byte", K::Label, nullptr, {3240, 60, 855, 315}, QString(), QStringLiteral("変換データのバイト数を表示します"),
     Border::Single, kRight, LayoutColour::fixed(192, 255, 255), LayoutColour::fixed(0, 0, 255), 9},
    {"chk_viewimage", K::CheckBox, nullptr, {60, 4500, 4755, 255},
     QStringLiteral("受信中の画像を表示する（処理時間が長くなります）"),
     QStringLiteral("受信中の画面データをリアルタイム表示する／しないの設定を行います")},
    // Beneath pic1, which hides it while shown.
    {"img1", K::Image, nullptr, {60, 840, 1635, 975}, QString(), QString()},
    {"pic1", K::PreviewBox, nullptr, {60, 840, 4800, 3600}, QString(),
     QStringLiteral("受信中の画面コピー画像をリアルタイムに表示します"), Border::None, kLeft,
     LayoutColour::system(QPalette::Base), LayoutColour::system(QPalette::Text)},
    {"Label1", K::Label, nullptr, {4200, 120, 1155, 195}, QStringLiteral("/230400 Byte"), QString()},
    {"pic_base", K::PictureBox, nullptr, {4920, 840, 2955, 4635}, QString(), QString(), Border::Sunken},
    {"VScroll1", K::VScrollBar, "pic_base", {2640, 0, 255, 4575}, QString(), QString()},
    {"pic_cont", K::PictureBox, "pic_base", {0, 0, 2595, 2300}, QString(), QString(), Border::Sunken},
    {"image1(0)", K::StretchedImage, "pic_cont", {60, 0, 2400, 1800}, QString(),
     QStringLiteral("受信後の画像を縮小表示します"), Border::Single},
    {"lbl_filename(0)", K::Label, "pic_cont", {60, 1860, 2355, 315}, QString(),
     QStringLiteral("画面コピー画像データのファイル名です"), Border::Single, kLeft, LayoutColour::fixed(128, 255, 255),
     kNone},
    {"cmd_end", K::CommandButton, nullptr, {3840, 4800, 975, 495}, QStringLiteral("終了(&X)"),
     QStringLiteral("このプログラムを終了します")},
    {"cmd_help", K::CommandButton, nullptr, {60, 4800, 975, 495}, QStringLiteral("ﾍﾙﾌﾟ(&H)"),
     QStringLiteral("ヘルプファイルを表示します")},
    {"Label2", K::Label, nullptr, {60, 120, 795, 195}, QStringLiteral("受信状況"), QString()},
    {"cmb_port", K::DropDownList, nullptr, {6540, 60, 1335, 300}, QString(),
     QStringLiteral("通信に利用するシリアルポートを指定します")},
    {"Label3", K::Label, nullptr, {5340, 120, 1155, 195}, QStringLiteral("シリアルポート"), QString()},
    {"lbl_status", K::Label, nullptr, {960, 60, 2175, 315}, QString(), QStringLiteral("現在の受信状態を表示します"),
     Border::Single, kCentred, LayoutColour::system(QPalette::HighlightedText), LayoutColour::fixed(0, 0, 255), 12},
    {"Label4", K::Label, nullptr, {120, 5340, 4755, 195}, QStringLiteral("ハンディ端末の画面コピーを受信・保存します"),
     QStringLiteral("このプログラムは、ハンディ端末からシリアル回線で送られた画面コピーを受信して保存します。"),
     Border::None, kCentred, kNone, LayoutColour::fixed(255, 0, 255), 9},
}};
// clang-format on

} // namespace

std::span<const ControlSpec> windowLayout()
{
    return kControls;
}

} // namespace velsnap
