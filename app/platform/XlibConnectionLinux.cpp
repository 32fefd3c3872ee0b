#include "XlibConnection.h"

// Included last: Xlib defines macros (None, Bool, Status) that would clash with the framework's names.
#include <X11/Xutil.h>

struct XlibConnection::Functions
{
    template <typename Function>
    static Function find (juce::DynamicLibrary& library, const char* name)
    {
        return reinterpret_cast<Function> (library.getFunction (name));
    }

    explicit Functions (juce::DynamicLibrary& xlib)
        : openDisplay (find<decltype (&XOpenDisplay)> (xlib, "XOpenDisplay")),
          closeDisplay (find<decltype (&XCloseDisplay)> (xlib, "XCloseDisplay")),
          resourceString (find<decltype (&XResourceManagerString)> (xlib, "XResourceManagerString")),
          allocSizeHints (find<decltype (&XAllocSizeHints)> (xlib, "XAllocSizeHints")),
          setNormalHints (find<decltype (&XSetWMNormalHints)> (xlib, "XSetWMNormalHints")),
          free (find<decltype (&XFree)> (xlib, "XFree")),
          sync (find<decltype (&XSync)> (xlib, "XSync")),
          setErrorHandler (find<decltype (&XSetErrorHandler)> (xlib, "XSetErrorHandler"))
    {
    }

    bool isComplete() const
    {
        return openDisplay != nullptr && closeDisplay != nullptr && resourceString != nullptr
            && allocSizeHints != nullptr && setNormalHints != nullptr && free != nullptr && sync != nullptr
            && setErrorHandler != nullptr;
    }

    decltype (&XOpenDisplay) openDisplay;
    decltype (&XCloseDisplay) closeDisplay;
    decltype (&XResourceManagerString) resourceString;
    decltype (&XAllocSizeHints) allocSizeHints;
    decltype (&XSetWMNormalHints) setNormalHints;
    decltype (&XFree) free;
    decltype (&XSync) sync;
    decltype (&XSetErrorHandler) setErrorHandler;
};

namespace
{
int ignoreError (Display*, XErrorEvent*)
{
    return 0;
}
} // namespace

XlibConnection::XlibConnection()
{
    if (! library.open ("libX11.so.6"))
        return;

    auto found = std::make_unique<Functions> (library);

    if (! found->isComplete())
        return;

    display = found->openDisplay (nullptr);
    functions = std::move (found);
}

XlibConnection::~XlibConnection()
{
    if (display != nullptr)
        functions->closeDisplay (static_cast<Display*> (display));
}

juce::String XlibConnection::getResources()
{
    if (display == nullptr)
        return {};

    const auto* text = functions->resourceString (static_cast<Display*> (display));

    // Only valid UTF-8 may become a String; resources that are not are no use here anyway.
    if (text == nullptr || ! juce::CharPointer_UTF8::isValidString (text, std::numeric_limits<int>::max()))
        return {};

    return juce::String::fromUTF8 (text);
}

void XlibConnection::pinWindowSize (juce::pointer_sized_uint window, int width, int height)
{
    if (display == nullptr || window == 0)
        return;

    auto* hints = functions->allocSizeHints();

    if (hints == nullptr)
        return;

    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    // A window the framework destroyed a moment ago answers with an error. It is taken here and
    // ignored: left queued, it would reach whichever handler is in place when the connection
    // closes, at exit Xlib's own, which ends the program.
    const auto previousHandler = functions->setErrorHandler (ignoreError);
    functions->setNormalHints (static_cast<Display*> (display), (Window) window, hints);
    functions->sync (static_cast<Display*> (display), False);
    functions->setErrorHandler (previousHandler);
    functions->free (hints);
}
