#pragma once

#include <QByteArray>
#include <QDir>
#include <QRandomGenerator>
#include <QString>

namespace velsnap {

// How one step on a file ended; `reason` is the system's own words on failure.
struct FileStep {
    enum Result { Done, NameTaken, Failed };
    Result result = Done;
    QString reason;
};

// Writes `data` in full into a new file of `folder` under a name no one else
// uses and puts it on the disk, so that a name given to it later never shows
// a picture a crash could cut. Sets `temporaryPath`; on failure nothing is left.
FileStep writeTemporaryFile(const QString &folder, const QByteArray &data, QString &temporaryPath);

// Gives the file at `temporaryPath` the name `path` only while no file has
// it: a file of that name, even one another program makes at the same
// moment, is never replaced (NameTaken).
FileStep commitWithoutReplacing(const QString &temporaryPath, const QString &path);

void removeFile(const QString &path);

// A name for a temporary file of `folder` that no one is likely to use.
inline QString temporaryFileCandidate(const QString &folder)
{
    return QDir(folder).filePath(
        QStringLiteral(".velsnap-%1.tmp").arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0')));
}

} // namespace velsnap
