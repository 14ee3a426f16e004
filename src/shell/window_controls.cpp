#include "shell/window_controls.h"

#include "shell/control_factory.h"
#include "shell/preview_box.h"
#include "shell/window_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <stdexcept>

namespace velsnap {

namespace {

class MadeControls {
public:
    void add(const char *name, QWidget *control) { m_byName.insert(QByteArray(name), control); }
    QWidget *parentFor(const ControlSpec &spec, QWidget &window) const
    {
        return spec.parent ? m_byName.value(QByteArray(spec.parent)) : &window;
    }
    // The table and this program must agree on every name and kind.
    template <typename Widget>
    Widget *get(const char *name) const
    {
        auto *control = qobject_cast<Widget *>(m_byName.value(QByteArray(name)));
        if (!control)
            throw std::logic_error(std::string("layout has no control ") + name + " of the expected kind");
        return control;
    }

private:
    QHash<QByteArray, QWidget *> m_byName;
};

} // namespace

WindowControls buildWindowControls(QWidget &window)
{
    MadeControls made;
    QWidget *previous = nullptr;
    QList<QWidget *> windowless;
    for (const ControlSpec &spec : windowLayout()) {
        QWidget *control = createControl(spec, made.parentFor(spec, window));
        made.add(spec.name, control);
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous)
                QWidget::setTabOrder(previous, control);
            previous = control;
        }
        if (!hasOwnWindow(spec.kind))
            windowless << control;
    }
    // Labels and images are drawn on their parent: they lie beneath every
    // control with a window of its own, and in layout order among themselves.
    for (auto control = windowless.rbegin(); control != windowless.rend(); ++control)
        (*control)->lower();
    return {
        made.get<QPushButton>("cmd_receive"), made.get<QPushButton>("cmd_help"),    made.get<QPushButton>("cmd_end"),
        made.get<QComboBox>("cmb_port"),      made.get<QCheckBox>("chk_viewimage"), made.get<QLabel>("lbl_status"),
        made.get<QLabel>("lbl_byte"),         made.get<QLabel>("lbl_start"),        made.get<QLabel>("lbl_end"),
        made.get<QLabel>("lbl_time"),         made.get<PreviewBox>("pic1"),         made.get<QLabel>("img1"),
        made.get<QWidget>("pic_cont"),        made.get<QScrollBar>("VScroll1"),     made.get<QLabel>("image1(0)"),
        made.get<QLabel>("lbl_filename(0)")};
}

} // namespace velsnap
