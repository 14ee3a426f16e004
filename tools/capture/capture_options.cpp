#include "capture_options.h"

#include "picture/enlarged_picture.h"
#include "serial/port_mapping.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace velsnap {

namespace {

const QString kExitStatusHelp =
    QStringLiteral("終了ステータス:\n"
                   "  0  指定した枚数を保存した、または SIGINT / SIGTERM で止めた\n"
                   "  2  コマンドラインの誤り\n"
                   "  3  シリアルポートが使えない（存在しない、開く権限がない、シリアルポートではない）\n"
                   "  4  シリアルポートが使用中\n"
                   "  5  シリアルポートとの接続が切れた\n"
                   "  6  画像ファイルを書き込めない（画像フォルダー、ヘッダーテンプレート）\n");

const QString kExample =
    QStringLiteral("例: 10 枚を PNG で shots/ に保存し、そのパスを表示します\n"
                   "  velsnap-capture --device /dev/ttyUSB0 --count 10 --format png --folder shots\n");

std::optional<int> wholeNumber(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= lowest && value <= highest ? std::optional(value) : std::nullopt;
}

} // namespace

ParsedCommandLine parseCaptureCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "ハンディ端末の画面コピーを受信して保存します。保存したファイルのパスを 1 行ずつ標準出力に書きます。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("この説明を表示します。"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("版を表示します。"));
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("このシリアルデバイスで受信します。"),
                                    QStringLiteral("PATH"));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("COM N（1〜8）で受信します。ウィンドウと同じ割り当てです。既定: 保存された選択。"),
        QStringLiteral("N"));
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    QStringLiteral("画像をここに保存します。既定: ウィンドウの画像フォルダー。"),
                                    QStringLiteral("DIR"));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("N 枚保存したら終わります。0（既定）は止めるまで続けます。"),
                                   QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption timeout(
        QStringLiteral("timeout"),
        QStringLiteral("画像の途中で回線がこの秒数だまったら、その画像を破棄して次を待ちます。既定: 待ち続けます。"),
        QStringLiteral("SECONDS"));
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral(
            "bmp（既定）はウィンドウと同じファイル、png は同じ画素の PNG に受信時刻と受信元を記録して保存します。"),
        QStringLiteral("bmp|png"), QStringLiteral("bmp"));
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QStringLiteral("画像を N 倍（1〜%1、既定 1）に拡大して保存します。1 画素を N×N 画素にし、ぼかしません。")
            .arg(kLargestScale),
        QStringLiteral("N"), QStringLiteral("1"));
    parser.addOptions({help, version, device, port, folder, count, format, scale, timeout});

    ParsedCommandLine parsed;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    if (parser.isSet(help)) {
        parsed.earlyText = parser.helpText() + u'\n' + kExitStatusHelp + u'\n' + kExample;
        return parsed;
    }
    if (parser.isSet(version)) {
        parsed.earlyText = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty()) {
        parsed.error = QStringLiteral("余分な引数です: %1").arg(parser.positionalArguments().join(u' '));
        return parsed;
    }
    CaptureOptions &options = parsed.options;
    if (parser.isSet(device) && parser.isSet(port)) {
        parsed.error = QStringLiteral("--device と --port は一緒に使えません");
        return parsed;
    }
    options.device = parser.value(device);
    if (parser.isSet(device) && options.device.isEmpty()) {
        parsed.error = QStringLiteral("--device にデバイスのパスを指定してください");
        return parsed;
    }
    if (parser.isSet(port) && !(options.port = wholeNumber(parser.value(port), 1, kPortCount))) {
        parsed.error = QStringLiteral("--port は 1 から %1 までです: %2").arg(kPortCount).arg(parser.value(port));
        return parsed;
    }
    options.folder = parser.value(folder);
    const std::optional<int> pictures = wholeNumber(parser.value(count), 0, 1'000'000'000);
    if (!pictures) {
        parsed.error = QStringLiteral("--count は 0 以上の整数です: %1").arg(parser.value(count));
        return parsed;
    }
    options.count = *pictures;
    const QString formatName = parser.value(format);
    if (formatName != QLatin1String("bmp") && formatName != QLatin1String("png")) {
        parsed.error = QStringLiteral("--format は bmp か png です: %1").arg(formatName);
        return parsed;
    }
    options.format = formatName == QLatin1String("png") ? PictureFormat::Png : PictureFormat::Bmp;
    const std::optional<int> times = wholeNumber(parser.value(scale), 1, kLargestScale);
    if (!times) {
        parsed.error =
            QStringLiteral("--scale は 1 から %1 までの整数です: %2").arg(kLargestScale).arg(parser.value(scale));
        return parsed;
    }
    options.scale = *times;
    if (parser.isSet(timeout)) {
        bool ok = false;
        const double seconds = parser.value(timeout).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > 86400) {
            parsed.error = QStringLiteral("--timeout は 0 より大きい秒数です: %1").arg(parser.value(timeout));
            return parsed;
        }
        options.timeoutMs = std::max(1, int(seconds * 1000));
    }
    return parsed;
}

} // namespace velsnap
