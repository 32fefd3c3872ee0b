#include "BackgroundPriority.h"

#include <sys/resource.h>

namespace BackgroundPriority
{
bool lowerThisThread()
{
    // On Linux a thread is a process of its own for setpriority: this thread alone is lowered.
    return setpriority (PRIO_PROCESS, 0, 10) == 0;
}
} // namespace BackgroundPriority
