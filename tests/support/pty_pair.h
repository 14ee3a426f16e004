#pragma once

#include <QByteArray>
#include <QString>

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

} // namespace velsnap::test
