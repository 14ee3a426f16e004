// The names in the picture folder, whatever bytes they are made of: every
// name offered can be opened (shown or deleted), ends in .bmp, and comes
// in one strict name order.
//
// The input is the names, separated by "/", each made a file.
#include "folders/kept_pictures.h"
#include "fuzz_support.h"

#include <QDir>
#include <QScopeGuard>
#include <fcntl.h>
#include <unistd.h>

using namespace velsnap;

VELSNAP_FUZZ_SETUP

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    static const QString folder = fuzz::scratch().filePath(QStringLiteral("kept"));
    QDir().mkpath(folder);
    const QByteArray native = QFile::encodeName(folder) + '/';
    const QList<QByteArray> made = QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size)).split('/');
    for (const QByteArray &name : made) {
        if (name.isEmpty() || name == "." || name == ".." || name.contains('\0') || name.size() > 255)
            continue;
        const int file = ::open((native + name).constData(), O_CREAT | O_WRONLY, 0600);
        if (file >= 0)
            ::close(file);
    }
    const QStringList names = keptPictureNames(folder + u'/');
    // By the bytes they were made of: Qt cannot name every file a folder may hold.
    const auto removeAll = qScopeGuard([&] {
        for (const QByteArray &name : made)
            ::unlink((native + name).constData());
    });
    for (qsizetype i = 0; i < names.size(); ++i) {
        fuzz::require(names[i].endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive), "a name that is no .bmp");
        fuzz::require(QFile::exists(folder + u'/' + names[i]), "a name offered that cannot be opened");
        if (i > 0)
            fuzz::require(comesBeforeInNameOrder(names[i - 1], names[i]) &&
                              !comesBeforeInNameOrder(names[i], names[i - 1]),
                          "names out of strict name order");
    }
    return 0;
}
