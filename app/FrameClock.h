#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

/**
    Paints what the windows have pending while something happens, and lets the program sleep
    while nothing does.

    On Linux the framework paints each window's pending changes from a timer of that window,
    which ticks at the display's refresh rate (100 Hz where the display states none) for as
    long as the window exists: for one window and nothing happening, about 600 wake-ups a
    second. The clock has the displays state a rate of idleRefreshHz, so that those timers tick
    once a second (they still paint what is pending, and let go of a window's drawing buffer
    3 s after its last paint), and paints what is pending itself at the display's own rate from
    the first sign of activity (an event from the X server, a window or anything in it asking
    to be repainted) until lingerMs after the last one. Elsewhere it is never made.
*/
class FrameClock : private juce::Timer
{
public:
    /** A running clock where the framework's windows need one (Linux), else nothing. */
    static std::unique_ptr<FrameClock> startIfNeeded();

    /** Watches the windows on the desktop now and those that come later; see startIfNeeded(). */
    FrameClock();

    /** Gives the displays their own rates back, for windows made later. */
    ~FrameClock() override;

    /** Something happened that may change what a window shows: paints at the display's rate
        until lingerMs after the last such call.
    */
    void wake();

    /** True while the clock paints, false once it rests. */
    bool isTicking() const { return isTimerRunning(); }

    /** How long painting goes on after the last sign of activity: a reply to what was drawn
        (the X server's note that a frame has been shown) comes well within it.
    */
    static constexpr int lingerMs = 250;

    /** The rate the framework's own per-window timers are left to tick at. */
    static constexpr int idleRefreshHz = 1;

private:
    class RepaintWatch;
    class Native;

    std::unique_ptr<Native> native;
    juce::Array<std::optional<double>> statedRates; // each display's own, given back at the end
    juce::uint32 lastActivityMs = 0;
    int frameIntervalMs = 10;

    void watchWindows();
    void stateIdleRefreshRate();
    void timerCallback() override;

    JUCE_DECLARE_WEAK_REFERENCEABLE (FrameClock)
    JUCE_DECLARE_NON_COPYABLE (FrameClock)
};
