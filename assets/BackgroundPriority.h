#pragma once

/**
    Lets work done ahead on a thread of its own give way to what the user waits for: on a busy
    machine the message thread (and the display server it talks to) come first.
*/
namespace BackgroundPriority
{
/** Lowers the calling thread's priority (a lower nice value on Linux, rather than an idle-only
    policy, so that work the message thread waits for is still finished); true when it was lowered.
*/
bool lowerThisThread();
} // namespace BackgroundPriority
