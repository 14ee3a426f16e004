#pragma once

#include <QString>

// Every text the program shows the user, in one place.
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
inline const QString kLineLostWhileReceiving =
    QStringLiteral("シリアルポートとの接続が切れました。\n受信を中止しました（画像は保存されていません）。");
inline const QString kLineLostWhileWaiting =
    QStringLiteral("シリアルポートとの接続が切れました。\n端末からの送信を待つのをやめました。");

inline const QString kLineSilent =
    QStringLiteral("%1 秒間なにも届かなかったので、受信中の画像を破棄しました。次の画面コピーを待ちます。");

inline const QString kPictureNotWritten = QStringLiteral("画像ファイルを書き込めません: %1\n%2");
inline const QString kTemplateUnreadable = QStringLiteral("ヘッダーテンプレートを読めません: %1\n%2");
inline const QString kTemplateTooShort =
    QStringLiteral("ヘッダーテンプレートが短すぎます（%1 バイト、54 バイト必要）: %2");

inline const QString kWindowCaption = QStringLiteral("Velmora 画面コピープログラム (VELSNAP)  Ver3.0");
inline const QString kApplicationTitle = QStringLiteral("VELSNAP"); // of the message boxes
inline const QString kPortEntry = QStringLiteral("COM %1");

inline const QString kQuestionTitle = QStringLiteral("削除の確認");
inline const QString kDeleteKeptPictures = QStringLiteral("すでに画面コピーファイルが存在します。\u3000削除しますか？");
inline const QString kPictureFolderUnusable = QStringLiteral("画像フォルダーを作成できません: %1\n%2");
inline const QString kChoiceNotStored =
    QStringLiteral("設定を保存できません: %1\n%2\nこの選択は今回だけ使われ、次に起動したときには元に戻ります。");
inline const QString kPictureNotDeleted = QStringLiteral("画像ファイルを削除できません: %1\n%2");
inline const QString kHelpFileMissing = QStringLiteral("ヘルプファイルが見つかりません: %1");
inline const QString kHelpViewerMissing = QStringLiteral("ヘルプを表示するプログラムを起動できません: %1");

} // namespace velsnap::texts
