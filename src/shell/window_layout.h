#pragma once

#include "geometry/twips.h"

#include <QColor>
#include <QPalette>
#include <QString>
#include <QtGlobal>
#include <span>

namespace velsnap {

// Image: shows its picture at the picture's own size and takes that size;
// StretchedImage: stretches its picture to its own size.
enum class ControlKind {
    Label,
    CommandButton,
    DropDownList,
    CheckBox,
    PictureBox,
    PreviewBox,
    Image,
    StretchedImage,
    VScrollBar
};
enum class Border { None, Single, Sunken };

// Labels and images have no window of their own; every other control has one.
inline constexpr bool hasOwnWindow(ControlKind kind)
{
    return kind != ControlKind::Label && kind != ControlKind::Image && kind != ControlKind::StretchedImage;
}

// A colour of the layout: default, a fixed RGB value, or a role of the user's
// palette, which follows the palette when the user changes it.
struct LayoutColour {
    enum class Kind { Default, Rgb, System } kind = Kind::Default;
    QRgb rgb = 0;
    QPalette::ColorRole role = QPalette::NoRole;

    static LayoutColour fixed(int r, int g, int b) { return {Kind::Rgb, qRgb(r, g, b), QPalette::NoRole}; }
    static LayoutColour system(QPalette::ColorRole role) { return {Kind::System, 0, role}; }
};

struct ControlSpec {
    const char *name;
    ControlKind kind;
    const char *parent; // nullptr: the window
    TwipsRect rect;
    QString caption;
    QString hint;
    Border border = Border::None;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    LayoutColour back;
    LayoutColour fore;
    int pointSize = 0; // 0: the window's font; own fonts are bold
};

// The window as drawn: client area and every control, parents before children,
// in tab order where a control takes the focus; a later control lies over an
// earlier one.
inline constexpr TwipsRect kClientArea{0, 0, 7920, 5580};
std::span<const ControlSpec> windowLayout();

} // namespace velsnap
