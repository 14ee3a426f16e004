#pragma once

#include <QString>
#include <functional>

namespace velsnap {

// The device behind port number n: "COMn" on Windows; elsewhere the mapping
// looked up for "COMn" when there is one, else /dev/ttyS(n-1).
// Numbers below 1 name no device (empty result).
QString portDeviceName(int port, const std::function<QString(const QString &comName)> &mapping);

} // namespace velsnap
