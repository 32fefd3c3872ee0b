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

    /** Paints what the peer's window has pending, unless the frame before is still on its way. */
    static void paintPending (juce::ComponentPeer& peer);

    /** Hands the framework the events that waiting for a reply read ahead (see the Linux source). */
    static void dispatchEventsReadAhead();

private:
    class Watcher;
    std::unique_ptr<Watcher> watcher;

    JUCE_DECLARE_NON_COPYABLE (Native)
};
