#pragma once

#include "device_texts.h"

#include <cstdio>
#include <string>

namespace velsnap {

// One line per event on stderr; stdout is reserved for the line's path.
inline void note(const std::string &what)
{
    std::fprintf(stderr, "%s\n", what.c_str());
}

inline void note(int copy, const std::string &what)
{
    note(device_texts::copyNote(copy, what));
}

} // namespace velsnap
