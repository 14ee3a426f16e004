#pragma once

#include "support/program_copy.h"
#include "support/simulated_device.h"
#include "support/x_session.h"

#include <QProcess>
#include <memory>

namespace velsnap::test {

// The simulated device, a copy of the program on its line, and a private X
// server for it: what a test needs to run the program as a desktop would.
class ProgramOnX {
public:
    // Starts the device with `deviceArguments` and the X server; false when
    // one did not come up.
    bool prepare(const QStringList &deviceArguments);
    // prepare() with a device that sends one picture, then stays quiet.
    bool prepareOnePicture();
    // Starts the program itself.
    void startProgram() { program.start(copy->program(), {}); }
    // Starts it and waits until a picture is on the clipboard: its window,
    // empty when either did not come.
    QString startUntilPictureCopied();

    SimulatedDevice device;
    QString line;
    std::unique_ptr<ProgramCopy> copy;
    XServer x;
    QProcessEnvironment environment;
    QProcess program;
};

} // namespace velsnap::test
