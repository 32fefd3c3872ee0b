// The framework's X11 declarations, for the connection its windows use.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include "FrameClockNative.h"

#include <juce_events/native/juce_linux_EventLoopInternal.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

std::unique_ptr<FrameClock> FrameClock::startIfNeeded()
{
    return std::make_unique<FrameClock>();
}

/** Waits on a copy of the X connection's descriptor in a thread of its own, and tells the message
    thread whenever the server has sent something. It never reads: the framework's own callback
    empties the connection.

    The copy is not given to the framework's message loop: it would become readable in the same
    rounds as the connection, and the loop goes wrong when a callback of a round runs a nested loop
    (a modal dialog) and a nested round finds more descriptors ready than any round before: the
    list of callbacks the outer round still walks is moved and freed under it.
*/
class FrameClock::Native::Watcher final : private juce::Thread, private juce::AsyncUpdater
{
public:
    Watcher (int connection, std::function<void()> onActivityToCall)
        : juce::Thread ("Q7X X watcher"), onActivity (std::move (onActivityToCall))
    {
        watchedFd = ::fcntl (connection, F_DUPFD_CLOEXEC, 0);

        if (watchedFd >= 0 && ::pipe2 (stopPipe, O_CLOEXEC) == 0)
            startThread();
    }

    ~Watcher() override
    {
        signalThreadShouldExit();

        if (stopPipe[1] >= 0)
            [[maybe_unused]]
            const auto written = ::write (stopPipe[1], "", 1);

        answered.signal();
        stopThread (-1);
        cancelPendingUpdate();

        for (auto fd : { watchedFd, stopPipe[0], stopPipe[1] })
            if (fd >= 0)
                ::close (fd);
    }

private:
    std::function<void()> onActivity;
    int watchedFd = -1;
    int stopPipe[2] = { -1, -1 };
    juce::WaitableEvent answered; // resets as a wait returns

    void run() override
    {
        while (! threadShouldExit())
        {
            pollfd fds[] = { { watchedFd, POLLIN, 0 }, { stopPipe[0], POLLIN, 0 } };

            if (::poll (fds, 2, -1) < 0)
            {
                if (errno == EINTR)
                    continue;

                return;
            }

            // Stopped, or the server is gone.
            if (fds[1].revents != 0 || (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
                return;

            if (! anEventComesFirst())
            {
                // A reply, which the thread that asked for it (a look at the pointer or the
                // focus) is about to read: that is no news, and it is gone in a moment.
                juce::Thread::sleep (1);
                continue;
            }

            // The connection stays readable until the message thread reads it: that thread has
            // its turn before this one looks again.
            triggerAsyncUpdate();
            answered.wait (-1);
        }
    }

    /** What the server sends comes in units whose first byte says what they are: 0 an error,
        1 the reply to a request, anything else an event.
    */
    bool anEventComesFirst() const
    {
        unsigned char kind = 0;
        return ::recv (watchedFd, &kind, 1, MSG_PEEK | MSG_DONTWAIT) == 1 && kind > 1;
    }

    void handleAsyncUpdate() override
    {
        onActivity();
        answered.signal();
    }

    JUCE_DECLARE_NON_COPYABLE (Watcher)
};

FrameClock::Native::Native (std::function<void()> onActivity)
{
    // Connects to the display unless something has already (the first window would).
    auto* windowing = juce::XWindowSystem::getInstance();

    if (windowing == nullptr || windowing->getDisplay() == nullptr)
        return;

    const auto connection = juce::X11Symbols::getInstance()->xConnectionNumber (windowing->getDisplay());
    watcher = std::make_unique<Watcher> (connection, std::move (onActivity));
}

FrameClock::Native::~Native() = default;

void FrameClock::Native::paintPending (juce::ComponentPeer& peer)
{
    // A frame sent through shared memory holds the next one back until the server says it has
    // shown it; that note may already wait in Xlib's queue, where only this looks for it.
    juce::XWindowSystem::getInstance()->processPendingPaintsForWindow ((::Window) peer.getNativeHandle());
    peer.performAnyPendingRepaintsNow();
}

void FrameClock::Native::dispatchEventsReadAhead()
{
    // Xlib reads whatever the server has sent while it waits for a reply (to a look at the pointer,
    // or for the note that a frame was shown), and queues the events among it. The framework reads
    // its queue only when the connection becomes readable, so such an event (a key, a button let
    // go) waited for whatever the server sent next, seconds later or never.
    auto* windowing = juce::XWindowSystem::getInstance();
    auto* display = windowing != nullptr ? windowing->getDisplay() : nullptr;

    if (display == nullptr)
        return;

    auto* x = juce::X11Symbols::getInstance();
    bool queued = false;

    {
        juce::XWindowSystemUtilities::ScopedXLock xLock;
        queued = x->xEventsQueued (display, QueuedAlready) > 0;
    }

    if (queued)
        juce::LinuxEventLoopInternal::invokeEventLoopCallbackForFd (x->xConnectionNumber (display));
}
