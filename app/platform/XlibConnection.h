#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The editor's own connection to the X server, for the little the framework does not do:
    reading the server's resources and pinning a window's size for the window manager.
    Xlib is loaded at run time, as the framework loads it; without it, or without an X
    server, every call does nothing.
*/
class XlibConnection
{
public:
    /** The connection to the server named by DISPLAY, opened on first use. */
    static XlibConnection& get();

    /** A connection of its own to the server named by DISPLAY; the editor shares get()'s. */
    XlibConnection();
    ~XlibConnection();

    /** The server's resource string (what `xrdb -query` prints); empty when there is none. */
    juce::String getResources();

    /** Tells the window manager that `window` (an X window id) is exactly `width` x `height`
        pixels, no smaller and no larger, so that it offers neither resizing nor maximising.
    */
    void pinWindowSize (juce::pointer_sized_uint window, int width, int height);

private:
    struct Functions;

    juce::DynamicLibrary library;
    std::unique_ptr<Functions> functions;
    void* display = nullptr;

    JUCE_DECLARE_NON_COPYABLE (XlibConnection)
};
