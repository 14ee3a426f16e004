#pragma once

#include <QString>
#include <cstdio>
#include <optional>

namespace velsnap {

// A tool's command line as read: what to run with, or what to say instead.
template <class Options>
struct ParsedCommandLine {
    Options options;
    QString error;     // non-empty: the command line is wrong
    QString earlyText; // --help or --version

    // Says what is wrong, and where to find the usage, or prints the early
    // text; returns the exit status then, nothing when the tool is to run.
    std::optional<int> answer(const QString &program, void (*write)(std::FILE *, const QString &)) const
    {
        if (!earlyText.isEmpty()) {
            write(stdout, earlyText);
            return 0;
        }
        if (!error.isEmpty()) {
            write(stderr, QStringLiteral("%1: %2\n「%1 --help」で使い方を表示します。\n").arg(program, error));
            return 2;
        }
        return std::nullopt;
    }
};

} // namespace velsnap
