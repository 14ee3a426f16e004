#include "shell/control_factory.h"

#include "gallery/place_inside.h"
#include "shell/preview_box.h"
#include "shell/window_font.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace velsnap {

namespace {

QWidget *makeWidget(const ControlSpec &spec, QWidget *parent)
{
    switch (spec.kind) {
    case ControlKind::Label: {
        auto *label = new QLabel(spec.caption, parent);
        label->setAlignment(spec.alignment);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::Image:
        return new QLabel(parent);
    case ControlKind::StretchedImage: {
        auto *image = new QLabel(parent);
        image->setScaledContents(true);
        return image;
    }
    case ControlKind::CommandButton:
        return new QPushButton(spec.caption, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(spec.caption, parent);
    case ControlKind::DropDownList:
        return new QComboBox(parent); // not editable: only the items can be picked
    case ControlKind::PictureBox:
        return new QFrame(parent);
    case ControlKind::PreviewBox:
        return new PreviewBox(parent);
    case ControlKind::VScrollBar: {
        auto *bar = new QScrollBar(Qt::Vertical, parent);
        bar->setRange(0, 0);
        bar->setSingleStep(1); // half a row of the thumbnail strip
        bar->setPageStep(2);   // a whole row
        return bar;
    }
    }
    return nullptr;
}

void applyBorder(QWidget *widget, Border border)
{
    auto *frame = qobject_cast<QFrame *>(widget);
    if (!frame)
        return;
    switch (border) {
    case Border::None:
        frame->setFrameStyle(QFrame::NoFrame);
        break;
    case Border::Single:
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
        break;
    case Border::Sunken:
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setLineWidth(2);
        break;
    }
}

// The role a layout colour is drawn with: a system colour's own role, which
// follows the user's palette, or `fixedRole` set to the fixed value.
QPalette::ColorRole colourRole(QWidget *widget, const LayoutColour &colour, QPalette::ColorRole fixedRole)
{
    if (colour.kind == LayoutColour::Kind::System)
        return colour.role;
    QPalette palette = widget->palette();
    palette.setColor(fixedRole, QColor(colour.rgb));
    widget->setPalette(palette);
    return fixedRole;
}

void applyColours(QWidget *widget, const ControlSpec &spec)
{
    if (spec.back.kind != LayoutColour::Kind::Default) {
        widget->setBackgroundRole(colourRole(widget, spec.back, QPalette::Window));
        widget->setAutoFillBackground(true);
    }
    if (spec.fore.kind != LayoutColour::Kind::Default)
        widget->setForegroundRole(colourRole(widget, spec.fore, QPalette::WindowText));
}

Qt::FocusPolicy focusPolicy(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::Image:
    case ControlKind::StretchedImage:
        return Qt::NoFocus;
    case ControlKind::PictureBox:
    case ControlKind::PreviewBox:
        return Qt::TabFocus;
    default:
        return Qt::StrongFocus;
    }
}

} // namespace

QWidget *createControl(const ControlSpec &spec, QWidget *parent)
{
    QWidget *widget = makeWidget(spec, parent);
    widget->setObjectName(QString::fromLatin1(spec.name));
    applyBorder(widget, spec.border);
    widget->setGeometry(placeInside(parent, spec.rect));
    widget->setToolTip(spec.hint);
    widget->setFocusPolicy(focusPolicy(spec.kind));
    // A control with a window of its own hides what lies beneath it, a
    // large finished picture included.
    widget->setAutoFillBackground(hasOwnWindow(spec.kind));
    applyColours(widget, spec);
    if (spec.pointSize != 0)
        widget->setFont(windowFont(spec.pointSize, true));
    return widget;
}

} // namespace velsnap
