#include "shell/control_factory.h"

#include "picture/preview_box.h"
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
    case ControlKind::Image: {
        auto *image = new QLabel(parent);
        image->setScaledContents(spec.border == Border::Single); // thumbnails stretch, img1 shows own size
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

void applyColour(QWidget *widget, QPalette::ColorRole target, const LayoutColour &colour)
{
    if (colour.kind == LayoutColour::Kind::Default)
        return;
    QPalette palette = widget->palette();
    const QColor value =
        colour.kind == LayoutColour::Kind::Rgb ? QColor(colour.rgb) : palette.color(colour.role);
    palette.setColor(target, value);
    widget->setPalette(palette);
    if (target == QPalette::Window)
        widget->setAutoFillBackground(true);
}

Qt::FocusPolicy focusPolicy(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::Image:
        return Qt::NoFocus;
    case ControlKind::PictureBox:
    case ControlKind::PreviewBox:
        return Qt::TabFocus;
    default:
        return Qt::StrongFocus;
    }
}

} // namespace

QRect placeInside(const QWidget *parent, const TwipsRect &rect)
{
    const auto *frame = qobject_cast<const QFrame *>(parent);
    const QPoint inner = frame ? frame->contentsRect().topLeft() : QPoint();
    return rect.toPixels().translated(inner);
}

QWidget *createControl(const ControlSpec &spec, QWidget *parent)
{
    QWidget *widget = makeWidget(spec, parent);
    widget->setObjectName(QString::fromLatin1(spec.name));
    applyBorder(widget, spec.border);
    widget->setGeometry(placeInside(parent, spec.rect));
    widget->setToolTip(spec.hint);
    widget->setFocusPolicy(focusPolicy(spec.kind));
    applyColour(widget, QPalette::Window, spec.back);
    applyColour(widget, QPalette::WindowText, spec.fore);
    if (spec.pointSize != 0)
        widget->setFont(windowFont(spec.pointSize, true));
    return widget;
}

} // namespace velsnap
