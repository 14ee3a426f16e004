#pragma once

#include <ctime>

namespace velsnap::test {

// CPU seconds this process has used so far, to tell sleeping from spinning.
inline double processCpuSeconds()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return double(used.tv_sec) + double(used.tv_nsec) / 1e9;
}

} // namespace velsnap::test
