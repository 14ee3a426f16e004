#pragma once

#include <QString>

// The fixed texts a reception run shows.
namespace velsnap::texts {

inline const QString kStatusCannotReceive = QStringLiteral("受信できません");
inline const QString kStatusPortOpen = QStringLiteral("受信待機中");
inline const QString kStatusWaiting = QStringLiteral("受信待機中です");
inline const QString kStatusReceiving = QStringLiteral("受信中");
inline const QString kStatusComplete = QStringLiteral("受信完了");

inline const QString kButtonStart = QStringLiteral("受信開始(&G)");
inline const QString kButtonStartIdle = QStringLiteral("受信開始(&G) ");
inline const QString kButtonStop = QStringLiteral("受信中断(&G)");

inline const QString kStartTime = QStringLiteral("開始時間");
inline const QString kEndTime = QStringLiteral("終了時間");
inline const QString kProcessingTime = QStringLiteral("処理時間");

inline const QString kPortUnusable = QStringLiteral("指定されたシリアルポートは使えません");
inline const QString kPortInUse = QStringLiteral("指定されたシリアルポートは現在使用中です");
inline const QString kNotScreenCopy = QStringLiteral("画面コピーデータではありません");
inline const QString kLineLost =
    QStringLiteral("シリアルポートとの接続が切れました。\n受信を中止しました（画像は保存されていません）。");

} // namespace velsnap::texts
