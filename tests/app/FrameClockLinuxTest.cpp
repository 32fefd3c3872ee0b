#include "WaitUntil.h"
#include "app/FrameClock.h"

#include <gtest/gtest.h>
#include <juce_events/native/juce_linux_EventLoopInternal.h>

namespace
{
/** A window that counts how often it is painted. */
class CountingWindow : public juce::Component
{
public:
    CountingWindow()
    {
        setOpaque (true);
        setBounds (40, 40, 120, 80);
        addToDesktop (0);
        setVisible (true);
    }

    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colours::teal);
        ++paints;
    }

    int paints = 0;
};

bool restsWithin (const FrameClock& clock, int timeoutMs)
{
    return waitUntil ([&clock] { return ! clock.isTicking(); }, timeoutMs);
}
} // namespace

// Windows are painted from the clock while something happens; the framework's own per-window
// timers are left to the idle rate, and the clock stops once nothing more comes.
TEST (FrameClock, PaintsARepaintAtOnceAndRestsWhenNothingMoreHappens)
{
    FrameClock clock;
    const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay();
    ASSERT_NE (display, nullptr);
    EXPECT_EQ (display->verticalFrequencyHz.value_or (0.0), 1.0);

    CountingWindow window;
    ASSERT_TRUE (waitUntil ([&window] { return window.paints > 0; }));
    ASSERT_TRUE (restsWithin (clock, 10000)) << "the clock goes on ticking with nothing to paint";

    for (int round = 0; round < 3; ++round)
    {
        const auto paintsBefore = window.paints;
        window.repaint();
        EXPECT_TRUE (clock.isTicking()) << "a repaint did not wake the clock, round " << round;

        // Painted by the clock, before it rests: the framework's own timer now ticks once a second.
        waitUntil ([&] { return window.paints > paintsBefore || ! clock.isTicking(); });
        EXPECT_GT (window.paints, paintsBefore) << "round " << round;
        EXPECT_TRUE (restsWithin (clock, 10000)) << "round " << round;
    }
}

TEST (FrameClock, ANewWindowsFirstFrameIsPaintedWhileTheClockRested)
{
    FrameClock clock;
    ASSERT_TRUE (restsWithin (clock, 10000));

    // Made, shown and exposed with the clock at rest: the server's events wake it.
    CountingWindow window;
    ASSERT_TRUE (waitUntil ([&clock] { return clock.isTicking(); })) << "the new window's events did not wake the clock";
    waitUntil ([&] { return window.paints > 0 || ! clock.isTicking(); });
    EXPECT_GT (window.paints, 0);
    EXPECT_TRUE (restsWithin (clock, 10000));
}

// The server's events reach the clock without a descriptor of its own in the message loop: there a
// copy of the connection would be ready in the same rounds as the connection, and a modal dialog
// opened from one callback of such a round could leave the loop calling through freed memory.
TEST (FrameClock, HearsTheServerWithoutADescriptorInTheMessageLoop)
{
    CountingWindow first; // the display is connected, and its descriptor watched
    ASSERT_TRUE (waitUntil ([&first] { return first.paints > 0; }));
    const auto descriptors = juce::LinuxEventLoopInternal::getRegisteredFds();

    FrameClock clock;
    ASSERT_TRUE (restsWithin (clock, 10000));
    CountingWindow second;
    EXPECT_TRUE (waitUntil ([&clock] { return clock.isTicking(); })) << "the new window's events did not wake the clock";
    EXPECT_EQ (juce::LinuxEventLoopInternal::getRegisteredFds(), descriptors);
}
