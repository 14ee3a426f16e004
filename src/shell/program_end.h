#pragma once

namespace velsnap {

// Ends the process at once with status 0, from wherever it is called: no
// handler runs afterwards and no waiting reception run resumes. Every file is
// opened and closed within one step and settings are written through at once,
// so nothing is left to flush but standard output.
//
// On the way out the application object is torn down as at a normal end of a
// Qt program, because that is when the platform hands the clipboard to the
// desktop's clipboard manager (X11: SAVE_TARGETS to CLIPBOARD_MANAGER), so the
// last picture stays available. The teardown runs no event loop, so nothing
// of the program runs in it, and the code that called this is never returned
// to. The application object must therefore have been made with new.
[[noreturn]] void endProgramNow();

} // namespace velsnap
