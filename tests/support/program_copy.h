#pragma once

#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace velsnap::test {

// The built program in a folder of its own with its header template, and
// settings of its own that put COM 1 on `line`, preview on.
class ProgramCopy {
public:
    explicit ProgramCopy(const QString &line);
    QString program() const { return m_folder.filePath(QStringLiteral("velsnap")); }
    QString pictureFolder() const { return m_folder.filePath(QStringLiteral("bmp")); }
    // The test's environment with those settings, for the real platform.
    QProcessEnvironment environment() const;

private:
    QTemporaryDir m_folder;
    QTemporaryDir m_config;
};

// Qt's lock file for a serial device path (/dev/pts/3 → /run/lock/LCK..pts_3).
QString portLockFile(const QString &line);

} // namespace velsnap::test
