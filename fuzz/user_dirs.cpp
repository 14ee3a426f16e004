// The desktop's user-dirs.dirs, whatever it says: the picture folder the
// program falls back to is an absolute path, VELSNAP with one separator after.
#include "folders/program_folders.h"
#include "fuzz_support.h"

#include <QDir>

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    static const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    QDir().mkpath(config);
    QFile file(config + QStringLiteral("/user-dirs.dirs"));
    fuzz::require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "user-dirs.dirs cannot be written");
    file.write(reinterpret_cast<const char *>(bytes), qint64(size));
    file.close();
    // A program folder the user cannot write sends the pictures to the user's own.
    const ProgramFolders folders = programFoldersOf(QStringLiteral("/velsnap-fuzz/no-such-folder"));
    fuzz::require(QDir::isAbsolutePath(folders.image_path), "a picture folder that is no absolute path");
    fuzz::require(folders.image_path.endsWith(QStringLiteral("/VELSNAP/")),
                  "a picture folder not ending in one separator");
    return 0;
}
