#include "options.h"

#include "device_texts.h"
#include "frame.h"
#include "option_errors.h"

#include <QCommandLineParser>
#include <QFile>
#include <charconv>
#include <limits>
#include <utility>

namespace velsnap {

namespace {

using std::chrono::milliseconds;

constexpr long long kIntMax = std::numeric_limits<int>::max();

// The options that take a whole number from 0 to `max`, and where it goes.
struct NumberOption {
    const char *name;
    long long max;
    void (*store)(Options &, long long);
};
const NumberOption kNumberOptions[] = {
    {"count", kIntMax, [](Options &o, long long n) { o.count = int(n); }},
    {"pause", kIntMax, [](Options &o, long long n) { o.pause = milliseconds(n); }},
    {"baud", kIntMax, [](Options &o, long long n) { o.baud = int(n); }},
    {"trickle-header", kIntMax, [](Options &o, long long n) { o.trickleHeader = milliseconds(n); }},
    {"late-extra", kIntMax, [](Options &o, long long n) { o.lateExtra = milliseconds(n); }},
    {"leftover", 4000, [](Options &o, long long n) { o.leftover = std::size_t(n); }},
    {"after-open", kIntMax, [](Options &o, long long n) { o.afterOpen = milliseconds(n); }},
    {"ack-timeout", kIntMax, [](Options &o, long long n) { o.ackTimeout = milliseconds(n); }},
    {"stop-after", kFrameBytes, [](Options &o, long long n) { o.stopAfter = std::size_t(n); }},
    {"hangup-after", kFrameBytes, [](Options &o, long long n) { o.hangupAfter = std::size_t(n); }},
    {"bad-header-every", kIntMax, [](Options &o, long long n) { o.badHeaderEvery = int(n); }},
    {"cut-every", kIntMax, [](Options &o, long long n) { o.cutEvery = int(n); }},
};

// The options that name a file.
struct PathOption {
    const char *name;
    std::optional<std::string> Options::*path;
};
const PathOption kPathOptions[] = {
    {"device", &Options::device}, {"picture", &Options::picture}, {"save-sent", &Options::saveSent}};

const QString kHeader = QStringLiteral("header");
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");

// The usage is device_texts::kUsage; the parser needs to know only which
// options take a value.
QList<QCommandLineOption> allOptions()
{
    QList<QCommandLineOption> options{QCommandLineOption(kHelp), QCommandLineOption(kVersion),
                                      QCommandLineOption(kHeader, {}, QStringLiteral("KIND"))};
    for (const NumberOption &option : kNumberOptions)
        options << QCommandLineOption(QString::fromLatin1(option.name), {}, QStringLiteral("N"));
    for (const PathOption &option : kPathOptions)
        options << QCommandLineOption(QString::fromLatin1(option.name), {}, QStringLiteral("FILE"));
    return options;
}

// As std::from_chars reads it: no sign, no spaces, no fraction.
std::optional<long long> wholeNumber(const QString &text, long long max)
{
    const std::string digits = text.toStdString();
    long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < 0 || value > max)
        return std::nullopt;
    return value;
}

std::optional<HeaderKind> headerKind(const QString &text)
{
    if (text == QLatin1String("normal"))
        return HeaderKind::Normal;
    if (text == QLatin1String("mi500"))
        return HeaderKind::Mi500;
    if (text == QLatin1String("bad"))
        return HeaderKind::Bad;
    return std::nullopt;
}

// Takes one value given to option `name`; returns what is wrong with it.
QString apply(Options &o, const QString &name, const QString &value)
{
    for (const NumberOption &option : kNumberOptions) {
        if (name != QLatin1String(option.name))
            continue;
        const std::optional<long long> number = wholeNumber(value, option.max);
        if (!number)
            return device_texts::wholeNumber(QStringLiteral("--") + name, option.max, value);
        option.store(o, *number);
        return {};
    }
    for (const PathOption &option : kPathOptions) {
        if (name == QLatin1String(option.name))
            o.*option.path = QFile::encodeName(value).toStdString();
    }
    if (name == kHeader) {
        const std::optional<HeaderKind> kind = headerKind(value);
        if (!kind)
            return device_texts::headerKind(value);
        o.header = *kind;
    }
    return {};
}

// Each option given with its value, in the order given. The two without a
// value are left out: Qt warns when asked for their values.
QList<std::pair<QString, QString>> valuesInOrder(const QCommandLineParser &parser)
{
    QList<std::pair<QString, QString>> given;
    const QStringList names = parser.optionNames();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i] != kHelp && names[i] != kVersion)
            given.append({names[i], parser.values(names[i]).value(names.first(i).count(names[i]))});
    }
    return given;
}

QString conflict(const Options &o)
{
    if (o.stopAfter && o.hangupAfter)
        return device_texts::kStopOrHangUp;
    if (o.lateExtra && o.header != HeaderKind::Mi500)
        return device_texts::kLateExtraNeedsMi500;
    if (o.cutEvery > 0 && (o.stopAfter || o.hangupAfter))
        return device_texts::kCutEveryAlone;
    return {};
}

} // namespace

HeaderKind Options::headerOf(int copy) const
{
    return badHeaderEvery > 0 && copy % badHeaderEvery == 0 ? HeaderKind::Bad : header;
}

std::size_t Options::pixelBytesOf(int copy) const
{
    if (cutOnItsOwn(copy))
        return kFrameBytes / 2;
    return stopAfter.value_or(hangupAfter.value_or(kFrameBytes));
}

ParsedCommandLine<Options> parseOptions(const QStringList &arguments)
{
    ParsedCommandLine<Options> parsed;
    QCommandLineParser parser;
    parsed.error = parseInJapanese(parser, allOptions(), arguments);
    if (parsed.error.isEmpty() && !parser.positionalArguments().isEmpty())
        parsed.error = extraArgumentsError(parser.positionalArguments().first());
    if (!parsed.error.isEmpty())
        return parsed;
    // The first wrong value is told, even when a later one of the same option is right.
    for (const auto &[name, value] : valuesInOrder(parser)) {
        parsed.error = apply(parsed.options, name, value);
        if (!parsed.error.isEmpty())
            return parsed;
    }
    parsed.error = conflict(parsed.options);
    // Asking for help does not hide a wrong option.
    if (parsed.error.isEmpty() && parser.isSet(kHelp))
        parsed.earlyText = device_texts::kUsage;
    else if (parsed.error.isEmpty() && parser.isSet(kVersion))
        parsed.earlyText = QStringLiteral("velsnap-device " VELSNAP_VERSION "\n");
    return parsed;
}

} // namespace velsnap
