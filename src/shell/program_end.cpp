#include "shell/program_end.h"

#include <cstdio>
#include <unistd.h>

namespace velsnap {

void endProgramNow()
{
    std::fflush(nullptr);
    ::_exit(0);
}

} // namespace velsnap
