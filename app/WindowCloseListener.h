#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Told when the user asks to close a window; the listener decides whether it closes. */
class WindowCloseListener
{
public:
    /** The user asked to close `window`, by its close button or its Close Window command. */
    virtual void windowCloseRequested (juce::TopLevelWindow* window) = 0;

    virtual ~WindowCloseListener() = default;
};
