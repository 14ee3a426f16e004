#include "shell/program_end.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

namespace velsnap {

void endProgramNow()
{
    std::fflush(nullptr);
    delete QCoreApplication::instance();
    ::_exit(0);
}

} // namespace velsnap
