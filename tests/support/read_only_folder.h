#pragma once

#include <QString>

namespace velsnap::test {

// Makes a folder read-only for the running user while it lives. Root writes
// through permission bits, so as root the folder is bound read-only onto
// itself; anyone else gets its write bits taken away.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // Empty when the folder is read-only now, else why not.
    QString failure() const { return m_failure; }

private:
    QString m_folder;
    QString m_failure;
    bool m_mounted = false;
};

} // namespace velsnap::test
