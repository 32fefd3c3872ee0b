#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Repaints every window 60 times a second when the program runs under Wine.

    The framework's Windows windows paint when the display's vertical blank is signalled, and
    Wine 8 never signals it: every window would freeze after its first frame. Under Wine this
    paints what is pending itself; on Windows (and Linux) it is never made, and the framework's
    own repaints run untouched.
*/
class WineRepaintPump : private juce::Timer
{
public:
    /** A running pump when the program runs under Wine, else nothing. */
    static std::unique_ptr<WineRepaintPump> startIfNeeded();

    ~WineRepaintPump() override;

    /** True when the program runs under Wine (its ntdll exports wine_get_version). */
    static bool isRunningUnderWine();

private:
    WineRepaintPump();
    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WineRepaintPump)
};
