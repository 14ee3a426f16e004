#pragma once

#include <QIcon>

namespace velsnap {

// The program's icon, for the window and the application.
QIcon programIcon();

} // namespace velsnap
