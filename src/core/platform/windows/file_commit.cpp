#include "platform/file_commit.h"

#include "platform/windows/wide_path.h"

#include <windows.h>

namespace velsnap {

namespace {

FileStep failed(DWORD error)
{
    return {FileStep::Failed, qt_error_string(int(error))};
}

// 0, or the error of the first failing step.
DWORD writeAll(HANDLE file, const QByteArray &data)
{
    for (qsizetype done = 0; done < data.size();) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<qsizetype>(data.size() - done, 1 << 20));
        if (!WriteFile(file, data.constData() + done, chunk, &written, nullptr))
            return GetLastError();
        done += written;
    }
    return FlushFileBuffers(file) ? 0 : GetLastError();
}

} // namespace

FileStep writeTemporaryFile(const QString &folder, const QByteArray &data, QString &temporaryPath)
{
    QString path;
    HANDLE file = INVALID_HANDLE_VALUE;
    while (file == INVALID_HANDLE_VALUE) {
        path = temporaryFileCandidate(folder);
        file =
            CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return failed(GetLastError());
    }
    DWORD error = writeAll(file, data);
    if (!CloseHandle(file) && error == 0)
        error = GetLastError();
    if (error != 0) {
        removeFile(path);
        return failed(error);
    }
    temporaryPath = path;
    return {};
}

FileStep commitWithoutReplacing(const QString &temporaryPath, const QString &path)
{
    // Without MOVEFILE_REPLACE_EXISTING the move fails on a name in use.
    if (MoveFileExW(widePath(temporaryPath).c_str(), widePath(path).c_str(), MOVEFILE_WRITE_THROUGH))
        return {};
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
        return {FileStep::NameTaken, {}};
    return failed(error);
}

void removeFile(const QString &path)
{
    DeleteFileW(widePath(path).c_str());
}

} // namespace velsnap
