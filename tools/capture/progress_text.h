#pragma once

#include <QString>

namespace velsnap {

// One line about the picture in progress: a bar on a terminal, with bytes
// received, rate and time left, e.g.
// "[##########----------]  76800/153600 バイト  5.6 KB/s  残り 0:14".
QString progressBar(qint64 received, qint64 total, qint64 elapsedMs, int barWidth = 20);

// The line written once a picture is saved where stderr is no terminal.
QString pictureSummary(const QString &path, qint64 bytes, qint64 elapsedMs);

} // namespace velsnap
