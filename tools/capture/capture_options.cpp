#include "capture_options.h"

#include "capture_texts.h"
#include "option_errors.h"
#include "picture/enlarged_picture.h"
#include "serial/port_mapping.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace velsnap {

namespace {

using namespace capture_texts;

std::optional<int> wholeNumber(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= lowest && value <= highest ? std::optional(value) : std::nullopt;
}

} // namespace

ParsedCommandLine<CaptureOptions> parseCaptureCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(kDescription);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, kHelpOption);
    const QCommandLineOption version(QStringLiteral("version"), kVersionOption);
    const QCommandLineOption device(QStringLiteral("device"), kDeviceOption, QStringLiteral("PATH"));
    const QCommandLineOption port(QStringLiteral("port"), kPortOption, QStringLiteral("N"));
    const QCommandLineOption folder(QStringLiteral("folder"), kFolderOption, QStringLiteral("DIR"));
    const QCommandLineOption count(QStringLiteral("count"), kCountOption, QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption timeout(QStringLiteral("timeout"), kTimeoutOption, QStringLiteral("SECONDS"));
    const QCommandLineOption format(QStringLiteral("format"), kFormatOption, QStringLiteral("bmp|png"),
                                    QStringLiteral("bmp"));
    const QCommandLineOption scale(QStringLiteral("scale"), kScaleOption.arg(kLargestScale), QStringLiteral("N"),
                                   QStringLiteral("1"));
    const QCommandLineOption keepGoing(QStringLiteral("keep-going"), kKeepGoingOption);

    ParsedCommandLine<CaptureOptions> parsed;
    parsed.error = parseInJapanese(
        parser, {help, version, device, port, folder, count, format, scale, timeout, keepGoing}, arguments);
    if (!parsed.error.isEmpty())
        return parsed;
    if (parser.isSet(help)) {
        parsed.earlyText = japaneseHelpText(parser) + u'\n' + kExitStatusHelp + u'\n' + kExample;
        return parsed;
    }
    if (parser.isSet(version)) {
        parsed.earlyText = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty()) {
        parsed.error = extraArgumentsError(parser.positionalArguments().join(u' '));
        return parsed;
    }
    CaptureOptions &options = parsed.options;
    if (parser.isSet(device) && parser.isSet(port)) {
        parsed.error = kDeviceAndPort;
        return parsed;
    }
    options.device = parser.value(device);
    if (parser.isSet(device) && options.device.isEmpty()) {
        parsed.error = kDeviceEmpty;
        return parsed;
    }
    if (parser.isSet(port) && !(options.port = wholeNumber(parser.value(port), 1, kPortCount))) {
        parsed.error = kPortRange.arg(kPortCount).arg(parser.value(port));
        return parsed;
    }
    options.folder = parser.value(folder);
    options.keepGoing = parser.isSet(keepGoing);
    const std::optional<int> pictures = wholeNumber(parser.value(count), 0, 1'000'000'000);
    if (!pictures) {
        parsed.error = kCountRange.arg(parser.value(count));
        return parsed;
    }
    options.count = *pictures;
    const QString formatName = parser.value(format);
    if (formatName != QLatin1String("bmp") && formatName != QLatin1String("png")) {
        parsed.error = kFormatName.arg(formatName);
        return parsed;
    }
    options.format = formatName == QLatin1String("png") ? PictureFormat::Png : PictureFormat::Bmp;
    const std::optional<int> times = wholeNumber(parser.value(scale), 1, kLargestScale);
    if (!times) {
        parsed.error = kScaleRange.arg(kLargestScale).arg(parser.value(scale));
        return parsed;
    }
    options.scale = *times;
    if (parser.isSet(timeout)) {
        bool ok = false;
        const double seconds = parser.value(timeout).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > 86400) {
            parsed.error = kTimeoutRange.arg(parser.value(timeout));
            return parsed;
        }
        options.timeoutMs = std::max(1, int(seconds * 1000));
    }
    return parsed;
}

} // namespace velsnap
