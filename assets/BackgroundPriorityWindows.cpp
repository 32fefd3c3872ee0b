#include "BackgroundPriority.h"

namespace BackgroundPriority
{
bool lowerThisThread()
{
    // The decoding thread keeps the framework's priority here.
    return false;
}
} // namespace BackgroundPriority
