#pragma once

#include "parsed_command_line.h"
#include "picture/picture_file.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace velsnap {

// How velsnap-capture ends, as scripts see it.
enum ExitStatus {
    kExitDone = 0,         // the pictures asked for are saved, or a stop signal came
    kExitUsage = 2,        // the command line is wrong
    kExitPortUnusable = 3, // the port does not exist, may not be opened, or is no serial port
    kExitPortInUse = 4,
    kExitLineLost = 5,
    kExitNotWritten = 6, // the picture folder or the header template is unusable
};

struct CaptureOptions {
    QString device;          // empty: COM `port`, mapped as the window maps it
    std::optional<int> port; // empty: the stored choice
    QString folder;          // empty: the window's picture folder
    int count = 0;           // 0: until stopped
    int timeoutMs = 0;       // 0: wait as long as it takes
    PictureFormat format = PictureFormat::Bmp;
    int scale = 1;          // pixel for pixel, 1 to kLargestScale
    bool keepGoing = false; // a lost line or a missing device is waited out
};

ParsedCommandLine<CaptureOptions> parseCaptureCommandLine(const QStringList &arguments);

} // namespace velsnap
