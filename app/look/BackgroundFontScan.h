#pragma once

#include <juce_graphics/juce_graphics.h>
#include <thread>

/**
    Reads the system's font list on a thread of its own while the framework connects to
    the display. The first text the editor measures would otherwise wait for the whole
    scan (a third of the start-up here) with nothing else going on.

    The framework's font list is not thread-safe: nothing may measure or draw text
    before waitUntilDone() has returned.
*/
class BackgroundFontScan
{
public:
    BackgroundFontScan();

    /** Waits for the scan, if nobody has yet. */
    ~BackgroundFontScan();

    /** Returns once the font list is complete; from then on fonts may be used from the message thread. */
    void waitUntilDone();

private:
    std::thread scan;

    JUCE_DECLARE_NON_COPYABLE (BackgroundFontScan)
};
