#include "progress_text.h"

#include <algorithm>

namespace velsnap {

namespace {

QString minutesAndSeconds(qint64 seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString rateText(qint64 bytes, qint64 elapsedMs)
{
    return QStringLiteral("%1 KB/s").arg(bytes * 1000.0 / 1024.0 / std::max<qint64>(elapsedMs, 1), 0, 'f', 1);
}

} // namespace

QString progressBar(qint64 received, qint64 total, qint64 elapsedMs, int barWidth)
{
    received = std::clamp<qint64>(received, 0, total);
    const int filled = total > 0 ? int(received * barWidth / total) : 0;
    QString line = u'[' + QString(filled, u'#') + QString(barWidth - filled, u'-') + u']';
    const int digits = int(QString::number(total).size());
    line += QStringLiteral("  %1/%2 バイト").arg(received, digits).arg(total);
    if (received == 0 || elapsedMs <= 0)
        return line;
    const qint64 leftMs = (total - received) * elapsedMs / received;
    return line +
           QStringLiteral("  %1  残り %2").arg(rateText(received, elapsedMs), minutesAndSeconds((leftMs + 999) / 1000));
}

QString pictureSummary(const QString &path, qint64 bytes, qint64 elapsedMs)
{
    return QStringLiteral("受信完了: %1 (%2 バイト, %3 秒, %4)")
        .arg(path)
        .arg(bytes)
        .arg(elapsedMs / 1000.0, 0, 'f', 1)
        .arg(rateText(bytes, elapsedMs));
}

} // namespace velsnap
