#include "shell/file_manager.h"

#include <QDir>
#include <QProcess>

namespace velsnap {

// Explorer selects the file itself when asked with /select.
void showInFileManager(const QString &path, std::function<void()> failed)
{
    const QString argument = QStringLiteral("/select,") + QDir::toNativeSeparators(path);
    if (!QProcess::startDetached(QStringLiteral("explorer.exe"), {argument}) && failed)
        failed();
}

} // namespace velsnap
