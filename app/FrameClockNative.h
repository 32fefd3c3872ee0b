#pragma once

#include "FrameClock.h"

#include <functional>

/** What tells the clock that the system has news for the windows: on Linux, anything from the
    X server (input, exposed windows, frames shown). Calls `onActivity` on the message thread.
*/
class FrameClock::Native
{
public:
    explicit Native (std::function<void()> onActivity);
    ~Native();

private:
    int watchedFd = -1;

    JUCE_DECLARE_NON_COPYABLE (Native)
};
