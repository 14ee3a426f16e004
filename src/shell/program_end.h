#pragma once

namespace velsnap {

// Ends the process at once with status 0, from wherever it is called: no
// handler runs afterwards and no waiting reception run resumes. Every file is
// opened and closed within one step and settings are written through at once,
// so nothing is left to flush but standard output.
[[noreturn]] void endProgramNow();

} // namespace velsnap
