#pragma once

#include <QString>
#include <string>

// Every text velsnap-device prints, in one place.
namespace velsnap::device_texts {

inline const QString kUsage = QStringLiteral(R"(使い方: velsnap-device [オプション]...
ハンディ端末のふりをして、シリアル回線で画面コピーを送ります。

--device がなければ擬似端末を開き、そのスレーブのパス（例: /dev/pts/5）を標準
出力に 1 行だけ書きます。受信側はそのパスを開いてください。各コピーは、受信側が
そのパスを 0.1 秒（--after-open）開いたままにしてから送ります。コピーのあとは
受信側が回線を閉じるまで（最大 5 秒）待って次に進み、最後のコピーのあとは 0.1 秒
だれも開いていない状態になるまで（最大 5 秒）回線を残します。進み具合は出来事
ごとに 1 行、標準エラー出力に書きます。

回線:
  --device PATH          擬似端末の代わりにシリアルデバイスを使います（raw、
                         57600 8N1、フロー制御なし）
  --baud N               N ボーの回線と同じ速さで送ります（1 バイト 10 ビット）。
                         0 は回線が受け取れるだけ速く送ります（既定 0）

画像:
  --picture FILE         この画像を送ります（Qt が読める形式なら何でも。320x240 を
                         覆うように拡大縮小して中央を使います）。既定: コピーごとに
                         白い四角が動くテストパターン
  --count N              コピーの枚数。0 は終わりなし（既定 1）
  --pause MS             コピーの間の休み（既定 2000）
  --save-sent FILE       送り始めたコピーの画素データ 153600 バイトを順に FILE に
                         書きます。FILE は最初に空にします

わざと不正な送り方:
  --header KIND          normal、mi500（25 バイトのヘッダーのあとに 1 バイト多い）、
                         bad（マーカーが小文字）（既定 normal）
  --trickle-header MS    ヘッダーを 1 バイトずつ、MS ずつ間をあけて送ります
  --late-extra MS        --header mi500 のとき、余分な 1 バイトをヘッダーの残りの
                         MS あとに送ります
  --leftover BYTES       受信側が開く前に、切れたコピーの残りのように BYTES
                         バイト（最大 4000）を回線に置いておきます
  --after-open MS        受信側がパスを開いてから MS 待って送ります（既定 100）
  --ack-timeout MS       ヘッダーの最初の 1 バイトから MS のうちに応答がなければ、
                         そのコピーをあきらめます（既定: 待ち続けます）
  --stop-after BYTES     画素データを BYTES だけ送って、回線を開いたままシグナルで
                         止められるまで黙ります
  --hangup-after BYTES   画素データを BYTES だけ送って、回線を閉じ、ステータス 0 で
                         終わります（受信側には送った分を受け取る時間を最大 0.5 秒
                         与えます）
  --bad-header-every N   N 枚目ごとのコピー（N、2N、…）のヘッダーを bad にします
  --cut-every N          N 枚目ごとのコピーの画素データを半分で止め、受信側が回線を
                         閉じるまで（最大 5 秒）黙ってから次のコピーに進みます

  --help                 この説明を表示します
  --version              版を表示します

終了ステータス: どのコピーも最後まで送ったか、言われたとおりに終わったとき（シグナル、
--stop-after、--hangup-after）0。コピーをあきらめたとき（受信側が回線を閉じた、
応答がない、応答が違う）やエラーのとき 1。オプションの誤りは 2。
)");

inline QString wholeNumber(const QString &option, long long max, const QString &text)
{
    return QStringLiteral("%1: 0 から %2 までの整数を指定してください: '%3'").arg(option, QString::number(max), text);
}
inline QString headerKind(const QString &text)
{
    return QStringLiteral("--header: normal、mi500、bad のどれかを指定してください: '%1'").arg(text);
}
inline const QString kStopOrHangUp = QStringLiteral("--stop-after と --hangup-after は一緒に使えません");
inline const QString kLateExtraNeedsMi500 = QStringLiteral("--late-extra には --header mi500 が必要です");
inline const QString kCutEveryAlone =
    QStringLiteral("--cut-every は --stop-after や --hangup-after と一緒に使えません");
inline std::string pictureUnreadable(const std::string &path, const std::string &reason)
{
    return "画像を読めません: " + path + ": " + reason;
}
inline std::string cannotWrite(const std::string &path)
{
    return "書き込めません: " + path;
}
inline const std::string kSentLogFailed = "送った画素データを書き込めませんでした";

// The progress, one line per event.
inline std::string copyNote(int copy, const std::string &what)
{
    return "コピー " + std::to_string(copy) + ": " + what;
}
inline const std::string kStoppedBySignal = "シグナルで止めました";
inline const std::string kWaitingForReceiver = "受信側を待っています";
inline const std::string kSilentUntilStopped = "止められるまで黙ります";
inline const std::string kSilentUntilReceiverCloses = "受信側が回線を閉じるまで黙ります";
inline const std::string kHangingUp = "回線を閉じます";
inline const std::string kFirstByteSent = "ヘッダーの最初の 1 バイトを送りました。応答を待ちます";
inline const std::string kAckReceived = "応答を受け取りました";
inline const std::string kHeaderSent = "ヘッダーを送りました";
inline const std::string kExtraByteSent = "ヘッダーの余分な 1 バイトを送りました";
inline const std::string kReceiverClosed = "受信側が回線を閉じました";
inline const std::string kNoAckInTime = "時間内に応答がありません";
inline std::string wrongAck(const std::string &bytes)
{
    return "応答が違います: " + bytes;
}
inline std::string blockSent(std::size_t block, std::size_t blocks)
{
    return "ブロック " + std::to_string(block) + "/" + std::to_string(blocks) + " を送りました";
}
inline std::string pixelDataCut(std::size_t bytes)
{
    return "画素データを " + std::to_string(bytes) + " バイトで打ち切りました";
}
inline const std::string kDone = "送り終えました";

} // namespace velsnap::device_texts
