#pragma once

// What every fuzz target shares: one application object for Qt, settings
// and folders of its own, and a finding that names what went wrong.
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace velsnap::fuzz {

// A scratch folder that outlives every input; XDG_CONFIG_HOME lies in it,
// so the user's own settings are never read.
inline const QTemporaryDir &scratch()
{
    static const QTemporaryDir folder;
    return folder;
}

inline void startQt()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch().filePath(QStringLiteral("config"))));
    static QCoreApplication application(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {}); // odd input, many warnings
}

// The input read from the front, so that seeds can be written by hand;
// past its end every byte reads as 0.
class Bytes {
public:
    Bytes(const uint8_t *data, size_t size) : m_at(data), m_end(data + size) {}
    bool empty() const { return m_at == m_end; }
    quint8 byte() { return empty() ? 0 : *m_at++; }
    QByteArray take(qsizetype count)
    {
        count = std::min<qsizetype>(count, m_end - m_at);
        const QByteArray taken(reinterpret_cast<const char *>(m_at), count);
        m_at += count;
        return taken;
    }
    QByteArray rest() { return take(m_end - m_at); }

private:
    const uint8_t *m_at;
    const uint8_t *m_end;
};

// The input as NUL-separated words: a command line, or records of a file system.
inline QList<QByteArray> words(const uint8_t *bytes, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size)).split('\0');
}

// A tool's command line: its name, then the input's words.
inline QStringList commandLine(const char *program, const uint8_t *bytes, size_t size)
{
    QStringList arguments{QString::fromLatin1(program)};
    for (const QByteArray &word : words(bytes, size))
        arguments << QString::fromLocal8Bit(word);
    return arguments;
}

// A broken promise: libFuzzer keeps the input that made it.
inline void require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

// The input as the file `name` of the scratch folder; its path.
inline QString scratchFile(const QString &name, const uint8_t *bytes, size_t size)
{
    const QString path = scratch().filePath(name);
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the scratch file cannot be written");
    file.write(reinterpret_cast<const char *>(bytes), qint64(size));
    return path;
}

} // namespace velsnap::fuzz

#define VELSNAP_FUZZ_SETUP                                                                                             \
    extern "C" int LLVMFuzzerInitialize(int *, char ***)                                                               \
    {                                                                                                                  \
        velsnap::fuzz::startQt();                                                                                      \
        return 0;                                                                                                      \
    }
