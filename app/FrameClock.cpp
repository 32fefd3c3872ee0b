#include "FrameClock.h"
#include "FrameClockNative.h"

/** Tells the clock whenever its window, or anything in it, asks to be repainted. As the window's
    cached image it sees every such request that reaches the window, and lets each one through:
    a window on the desktop is painted by its peer, and only a window inside another is painted
    through this image, as the window itself.
*/
class FrameClock::RepaintWatch final : public juce::CachedComponentImage
{
public:
    RepaintWatch (juce::Component& watchedWindow, FrameClock& clockToTell)
        : window (watchedWindow), clock (&clockToTell)
    {
    }

    void paint (juce::Graphics& g) override { window.paintEntireComponent (g, false); }

    bool invalidateAll() override
    {
        tell();
        return true;
    }

    bool invalidate (const juce::Rectangle<int>&) override
    {
        tell();
        return true;
    }

    void releaseResources() override {}

private:
    juce::Component& window;
    juce::WeakReference<FrameClock> clock;

    void tell()
    {
        if (auto* c = clock.get())
            c->wake();
    }
};

namespace
{
juce::Displays& getDisplays()
{
    // The framework reads each window's rate from its display whenever the window is made, moved
    // or resized; it hands the displays out as const only, though they are not.
    return const_cast<juce::Displays&> (juce::Desktop::getInstance().getDisplays());
}
} // namespace

FrameClock::FrameClock()
    : native (std::make_unique<Native> ([this] { wake(); }))
{
    for (const auto& display : getDisplays().displays)
        statedRates.add (display.verticalFrequencyHz);

    if (const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
    {
        // The framework's own choice where a display states no rate (as Xvfb does).
        const auto hz = juce::roundToInt (display->verticalFrequencyHz.value_or (0.0));
        frameIntervalMs = 1000 / (hz > idleRefreshHz ? hz : 100);
    }

    stateIdleRefreshRate();
    watchWindows();
    wake();
}

FrameClock::~FrameClock()
{
    stopTimer();
    native.reset();
    masterReference.clear();

    if (auto& displays = getDisplays().displays; displays.size() == statedRates.size())
        for (int i = 0; i < displays.size(); ++i)
            displays.getReference (i).verticalFrequencyHz = statedRates[i];
}

void FrameClock::wake()
{
    lastActivityMs = juce::Time::getMillisecondCounter();

    if (! isTimerRunning())
        startTimer (frameIntervalMs);
}

void FrameClock::stateIdleRefreshRate()
{
    for (auto& display : getDisplays().displays)
        display.verticalFrequencyHz = double (idleRefreshHz);
}

void FrameClock::watchWindows()
{
    auto& desktop = juce::Desktop::getInstance();

    // Menus, alerts and tooltips are windows of their own, made as they are needed.
    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* window = desktop.getComponent (i); window != nullptr && window->getCachedComponentImage() == nullptr)
            window->setCachedComponentImage (new RepaintWatch (*window, *this));
}

void FrameClock::timerCallback()
{
    // The displays may have been read again since (a changed scale, a new screen).
    stateIdleRefreshRate();
    watchWindows();

    // Painting may close a window, and with it its peer.
    for (int i = juce::ComponentPeer::getNumPeers(); --i >= 0;)
        if (auto* peer = juce::ComponentPeer::getPeer (i))
            Native::paintPending (*peer);

    if (juce::Time::getMillisecondCounter() - lastActivityMs > juce::uint32 (lingerMs))
        stopTimer();

    // Last: an event may open a modal dialog, whose loop runs inside this call.
    Native::dispatchEventsReadAhead();
}
