#pragma once

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace velsnap {

// QCommandLineParser says what went wrong only in English; this says it in
// Japanese, from the same facts: an unknown option, or a value missing or
// given where none is taken.
inline QString japaneseOptionError(const QCommandLineParser &parser, const QStringList &arguments,
                                   const QStringList &optionsWithValue)
{
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
        QStringList typed;
        for (const QString &name : unknown)
            typed << (name.size() == 1 ? u'-' + name : QStringLiteral("--") + name);
        return QStringLiteral("不明なオプションです: %1").arg(typed.join(QStringLiteral(", ")));
    }
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (!argument.startsWith(u'-'))
            continue;
        const QString name = argument.section(u'=', 0, 0).remove(QRegularExpression(QStringLiteral("^-+")));
        const bool takesValue = optionsWithValue.contains(name);
        if (takesValue && !argument.contains(u'=') && i + 1 == arguments.size())
            return QStringLiteral("%1 の後に値がありません").arg(argument);
        if (!takesValue && argument.contains(u'='))
            return QStringLiteral("%1 は値を取りません").arg(argument.section(u'=', 0, 0));
        if (takesValue && !argument.contains(u'='))
            ++i;
    }
    return QStringLiteral("コマンドラインを解釈できません");
}

// Arguments that are no option's value, where a tool takes none.
inline QString extraArgumentsError(const QString &extra)
{
    return QStringLiteral("余分な引数です: %1").arg(extra);
}

// Gives `parser` the tool's options and reads `arguments` (the program's
// own name first); returns what is wrong in Japanese, or an empty text.
inline QString parseInJapanese(QCommandLineParser &parser, const QList<QCommandLineOption> &options,
                               const QStringList &arguments)
{
    parser.addOptions(options);
    if (parser.parse(arguments))
        return {};
    QStringList optionsWithValue;
    for (const QCommandLineOption &option : options) {
        if (!option.valueName().isEmpty())
            optionsWithValue << option.names();
    }
    return japaneseOptionError(parser, arguments, optionsWithValue);
}

// Qt's help text with its English headings in Japanese.
inline QString japaneseHelpText(const QCommandLineParser &parser)
{
    return parser.helpText()
        .replace(QStringLiteral("Usage: "), QStringLiteral("使い方: "))
        .replace(QStringLiteral(" [options]"), QStringLiteral(" [オプション]"))
        .replace(QStringLiteral("\nOptions:\n"), QStringLiteral("\nオプション:\n"));
}

} // namespace velsnap
