#pragma once

#include <QDir>
#include <QString>
#include <string>

namespace velsnap {

// A path as the wide-character Win32 calls take it.
inline std::wstring widePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

} // namespace velsnap
