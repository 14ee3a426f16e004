#pragma once

#include <QString>

namespace velsnap {

// The device a picture came from, for its PNG: the path, and for a USB
// adapter its description and serial number where the system knows them.
QString pictureSourceOf(const QString &devicePath);

} // namespace velsnap
