// The framework's X11 declarations, for the connection its windows use.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include "FrameClockNative.h"

#include <fcntl.h>
#include <unistd.h>

std::unique_ptr<FrameClock> FrameClock::startIfNeeded()
{
    return std::make_unique<FrameClock>();
}

FrameClock::Native::Native (std::function<void()> onActivity)
{
    // Connects to the display unless something has already (the first window would).
    auto* windowing = juce::XWindowSystem::getInstance();

    if (windowing == nullptr || windowing->getDisplay() == nullptr)
        return;

    // The framework reads the X connection from its own callback on the connection's descriptor,
    // and takes one callback per descriptor: a copy of it becomes readable at the same moments.
    // It is never read here, only noticed; the framework's callback empties the connection.
    const auto connection = juce::X11Symbols::getInstance()->xConnectionNumber (windowing->getDisplay());
    watchedFd = ::fcntl (connection, F_DUPFD_CLOEXEC, 0);

    if (watchedFd >= 0)
        juce::LinuxEventLoop::registerFdCallback (watchedFd, [activity = std::move (onActivity)] (int) { activity(); });
}

FrameClock::Native::~Native()
{
    if (watchedFd < 0)
        return;

    juce::LinuxEventLoop::unregisterFdCallback (watchedFd);
    ::close (watchedFd);
}

void FrameClock::Native::paintPending (juce::ComponentPeer& peer)
{
    // A frame sent through shared memory holds the next one back until the server says it has
    // shown it; that note may already wait in Xlib's queue, where only this looks for it.
    juce::XWindowSystem::getInstance()->processPendingPaintsForWindow ((::Window) peer.getNativeHandle());
    peer.performAnyPendingRepaintsNow();
}
