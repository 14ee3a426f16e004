#pragma once

#include <optional>

namespace velsnap {

// --help and --version, answered on standard output before any window or
// display is touched. Returns the exit status when one of them was asked.
std::optional<int> answerCommandLine(int argc, char *argv[]);

} // namespace velsnap
