#include "shell/program_end.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace velsnap {

void endProgramNow()
{
    std::fflush(nullptr);
    delete QCoreApplication::instance();
    std::_Exit(0);
}

} // namespace velsnap
