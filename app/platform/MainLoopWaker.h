#pragma once

#include <juce_events/juce_events.h>

/**
    Wakes the message loop after the application has been asked to quit.

    On Linux, when a command that ran a modal box (and with it a nested message loop)
    asks to quit, JUCE's main loop can take the quit message and then sleep on in poll()
    without looking at it again, so the program never ends. A byte on a pipe that the
    loop watches wakes it, and it then sees the quit. Elsewhere this does nothing.
*/
class MainLoopWaker
{
public:
    /** Starts watching; call on the message thread once the message manager exists. */
    MainLoopWaker();
    ~MainLoopWaker();

    /** Makes the message loop run one more round. */
    void wake();

private:
    int pipeEnds[2] = { -1, -1 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainLoopWaker)
};
