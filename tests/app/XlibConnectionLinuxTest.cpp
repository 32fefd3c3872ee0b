#include "app/platform/XlibConnection.h"

#include <gtest/gtest.h>

// Included last: Xlib defines macros (None, Bool, Status) that would clash with the framework's names.
#include <X11/Xlib.h>

namespace
{
/** Stands in for the process's X error handler while it lives, counting what reaches it.
    At exit that handler is Xlib's own, which ends the program on the first error.
*/
class ProcessErrorHandler
{
public:
    ProcessErrorHandler()
    {
        if (xlib.open ("libX11.so.6"))
            setHandler = reinterpret_cast<decltype (&XSetErrorHandler)> (xlib.getFunction ("XSetErrorHandler"));

        if (setHandler != nullptr)
            previous = setHandler (count);
    }

    ~ProcessErrorHandler()
    {
        if (setHandler != nullptr)
            setHandler (previous);
    }

    bool isInstalled() const { return setHandler != nullptr; }
    int getErrorCount() const { return errors; }

private:
    static int count (Display*, XErrorEvent*)
    {
        ++errors;
        return 0;
    }

    static inline int errors = 0;
    juce::DynamicLibrary xlib;
    decltype (&XSetErrorHandler) setHandler = nullptr;
    XErrorHandler previous = nullptr;
};

TEST (XlibConnection, AWindowClosedJustBeforeItsSizeIsPinnedLeavesNoErrorForLater)
{
    // The window the user closed while the editor was pinning its size: gone from the server.
    juce::Component window;
    window.setSize (200, 100);
    window.addToDesktop (0);
    ASSERT_NE (window.getPeer(), nullptr);
    const auto closedWindow = (juce::pointer_sized_uint) window.getPeer()->getNativeHandle();
    window.removeFromDesktop();

    const ProcessErrorHandler handler;
    ASSERT_TRUE (handler.isInstalled());

    {
        XlibConnection connection;
        connection.pinWindowSize (closedWindow, 200, 100);
    } // closing reads what the server still had to say

    EXPECT_EQ (handler.getErrorCount(), 0);
}
} // namespace
