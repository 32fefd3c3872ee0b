#include "FrameClockNative.h"

std::unique_ptr<FrameClock> FrameClock::startIfNeeded()
{
    // Windows' windows paint when the display's vertical blank is signalled, from a thread the
    // framework keeps per display; under Wine, WineRepaintPump paints.
    return nullptr;
}

class FrameClock::Native::Watcher
{
};

FrameClock::Native::Native (std::function<void()>) {}

FrameClock::Native::~Native() = default;

void FrameClock::Native::paintPending (juce::ComponentPeer& peer)
{
    peer.performAnyPendingRepaintsNow();
}

void FrameClock::Native::dispatchEventsReadAhead() {}
