#pragma once

#include "header.h"
#include "parsed_command_line.h"

#include <QStringList>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace velsnap {

struct Options {
    std::optional<std::string> device;
    std::optional<std::string> picture;
    int count = 1;
    std::chrono::milliseconds pause{2000};
    int baud = 0;
    HeaderKind header = HeaderKind::Normal;
    std::optional<std::chrono::milliseconds> trickleHeader;
    std::optional<std::chrono::milliseconds> lateExtra;
    std::optional<std::size_t> stopAfter;
    std::optional<std::size_t> hangupAfter;
    std::optional<std::chrono::milliseconds> ackTimeout;
    std::chrono::milliseconds afterOpen{100};
    std::size_t leftover = 0; // bytes waiting in the line before the receiver opens it
    std::optional<std::string> saveSent;
    int badHeaderEvery = 0; // every Nth copy's header lacks its marker; 0: none
    int cutEvery = 0;       // every Nth copy stops halfway, then the next follows; 0: none

    // The header copy number `copy` (from 1) sends.
    HeaderKind headerOf(int copy) const;
    // How much pixel data the copy sends before going quiet or hanging up.
    std::size_t pixelBytesOf(int copy) const;
    // The copy is cut short without ending the device.
    bool cutOnItsOwn(int copy) const { return cutEvery > 0 && copy % cutEvery == 0; }
};

// `arguments` start with the program's own name.
ParsedCommandLine<Options> parseOptions(const QStringList &arguments);

} // namespace velsnap
