#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Keeps the drawing buffer of the window in front in use.

    The framework drops a window's drawing buffer after three seconds without painting, and
    on X11, when it makes a new one, it sends the window's bounds to the window manager again.
    The window manager answers with a configure notification, and on that the framework closes
    the window's open pop-ups (menus, lists), as it does when the title bar is dragged. So the
    first F10, Alt or Space on a list after a pause opened a pop-up that closed at once, and the
    keys meant for it reached the widget below (arrow keys changed a Mode).

    The window the keyboard talks to makes its buffer when it comes to the front, before any
    pop-up can be open, and then keeps it; windows behind release theirs as before.
*/
class DrawingBufferKeeper : private juce::Timer
{
public:
    explicit DrawingBufferKeeper (juce::Component& windowToKeep);
    ~DrawingBufferKeeper() override;

    /** Starts keeping the buffer (making it now if it was dropped) or stops. */
    void setKeeping (bool shouldKeep);

    bool isKeeping() const;

    /** Well within the three seconds after which the framework drops an unused buffer. */
    static constexpr int keepIntervalMs = 1000;

private:
    void timerCallback() override;

    juce::Component& window;

    JUCE_DECLARE_NON_COPYABLE (DrawingBufferKeeper)
};
