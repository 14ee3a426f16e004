#pragma once

#include <QString>

// Every text velsnap-capture prints of its own; the reception's texts are the core's.
namespace velsnap::capture_texts {

inline const QString kDescription = QStringLiteral(
    "ハンディ端末の画面コピーを受信して保存します。保存したファイルのパスを 1 行ずつ標準出力に書きます。");
inline const QString kHelpOption = QStringLiteral("この説明を表示します。");
inline const QString kVersionOption = QStringLiteral("版を表示します。");
inline const QString kDeviceOption = QStringLiteral("このシリアルデバイスで受信します。");
inline const QString kPortOption =
    QStringLiteral("COM N（1〜8）で受信します。ウィンドウと同じ割り当てです。既定: 保存された選択。");
inline const QString kFolderOption = QStringLiteral("画像をここに保存します。既定: ウィンドウの画像フォルダー。");
inline const QString kCountOption = QStringLiteral("N 枚保存したら終わります。0（既定）は止めるまで続けます。");
inline const QString kTimeoutOption =
    QStringLiteral("画像の途中で回線がこの秒数だまったら、その画像を破棄して次を待ちます。既定: 待ち続けます。");
inline const QString kFormatOption = QStringLiteral(
    "bmp（既定）はウィンドウと同じファイル、png は同じ画素の PNG に受信時刻と受信元を記録して保存します。");
inline const QString kScaleOption =
    QStringLiteral("画像を N 倍（1〜%1、既定 1）に拡大して保存します。1 画素を N×N 画素にし、ぼかしません。");
inline const QString kKeepGoingOption =
    QStringLiteral("回線が切れたりデバイスがなくなったりしても終わらず、デバイスが戻るのを待って受信を続けます。");

inline const QString kExitStatusHelp =
    QStringLiteral("終了ステータス:\n"
                   "  0  指定した枚数を保存した、または SIGINT / SIGTERM / SIGHUP で止めた\n"
                   "  2  コマンドラインの誤り\n"
                   "  3  シリアルポートが使えない（存在しない、開く権限がない、シリアルポートではない）\n"
                   "  4  シリアルポートが使用中\n"
                   "  5  シリアルポートとの接続が切れた\n"
                   "  6  画像ファイルを書き込めない（画像フォルダー、ヘッダーテンプレート）\n");
inline const QString kExample =
    QStringLiteral("例: 10 枚を PNG で shots/ に保存し、そのパスを表示します\n"
                   "  velsnap-capture --device /dev/ttyUSB0 --count 10 --format png --folder shots\n");

inline const QString kDeviceAndPort = QStringLiteral("--device と --port は一緒に使えません");
inline const QString kDeviceEmpty = QStringLiteral("--device にデバイスのパスを指定してください");
inline const QString kPortRange = QStringLiteral("--port は 1 から %1 までです: %2");
inline const QString kCountRange = QStringLiteral("--count は 0 以上の整数です: %1");
inline const QString kFormatName = QStringLiteral("--format は bmp か png です: %1");
inline const QString kScaleRange = QStringLiteral("--scale は 1 から %1 までの整数です: %2");
inline const QString kTimeoutRange = QStringLiteral("--timeout は 0 より大きい秒数です: %1");

inline const QString kCannotOpen = QStringLiteral("シリアルポートを開けません: %1");
inline const QString kDeviceGone =
    QStringLiteral("%1: デバイスがなくなりました。戻るまで待って、受信を続けます（止めるには Ctrl+C）。");
inline const QString kDeviceBack = QStringLiteral("%1: デバイスが戻りました。受信を続けます。");

} // namespace velsnap::capture_texts
