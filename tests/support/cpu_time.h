#pragma once

#include <ctime>
#include <sys/resource.h>

namespace velsnap::test {

// CPU seconds this process has used so far, to tell sleeping from spinning.
inline double processCpuSeconds()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return double(used.tv_sec) + double(used.tv_nsec) / 1e9;
}

// CPU seconds of the child processes that have ended and been waited for.
inline double endedChildrenCpuSeconds()
{
    rusage used{};
    getrusage(RUSAGE_CHILDREN, &used);
    return double(used.ru_utime.tv_sec + used.ru_stime.tv_sec) +
           double(used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e6;
}

} // namespace velsnap::test
