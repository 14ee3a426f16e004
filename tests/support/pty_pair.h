#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>

namespace velsnap::test {

// A raw pseudo-terminal whose master end the test drives byte by byte.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    QString slavePath() const { return m_slavePath; }
    bool write(const QByteArray &bytes);
    // Reads what the program sent, waiting up to `milliseconds` for `count` bytes.
    QByteArray read(int count, int milliseconds);
    void hangUp(); // closes the master: the program's line is lost
    // Whether anyone has the slave open now (without opening it ourselves).
    bool slaveOpen() const;

private:
    int m_master = -1;
    QString m_slavePath;
};

// Reads the slave at `path` and throws it away until `done` holds, so that a
// writer blocked on a full line can finish.
void drainUntil(const QString &path, const std::atomic<bool> &done);

} // namespace velsnap::test
