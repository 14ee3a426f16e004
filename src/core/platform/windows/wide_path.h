#pragma once

#include <QDir>
#include <QRegularExpression>
#include <QString>
#include <string>

namespace velsnap {

// A path as the wide-character Win32 calls take it.
inline std::wstring widePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// The name CreateFile opens a port by: COM10 and above only work in the
// device namespace, so every COMn goes there; other paths stay as they are.
inline QString portOpenPath(const QString &device)
{
    static const QRegularExpression comName(QStringLiteral("^COM[0-9]+$"), QRegularExpression::CaseInsensitiveOption);
    return comName.match(device).hasMatch() ? QStringLiteral("\\\\.\\") + device : device;
}

} // namespace velsnap
