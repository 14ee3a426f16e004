#include "platform/system_places.h"

#include "platform/windows/wide_path.h"

#include <windows.h>

namespace velsnap {

bool folderWritable(const QString &folder)
{
    // Who may write is kept in access lists that QFileInfo does not read
    // (Program Files looks writable to it): a file made and gone at once tells.
    const QString probe = QDir(folder).filePath(QStringLiteral(".velsnap-%1.probe").arg(GetCurrentProcessId()));
    const HANDLE file = CreateFileW(widePath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

QSettings openSettingsStore()
{
    // By organization alone Qt would use ...\Velmora\OrganizationDefaults.
    return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Velmora"), QSettings::NativeFormat);
}

} // namespace velsnap
