#pragma once

#include "shell/window_layout.h"

class QWidget;

namespace velsnap {

// Makes the widget of one layout entry, named after it, placed inside the
// inner area of `parent`, with its caption, hint, border, colours and font.
QWidget *createControl(const ControlSpec &spec, QWidget *parent);

} // namespace velsnap
