// The X11 types and the framework's X connection are needed to name the owner window.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "WindowStacking.h"

namespace WindowStacking
{
void keepAbove (juce::Component& dialog, const juce::Component& owner)
{
    auto* dialogPeer = dialog.getPeer();
    auto* ownerPeer = owner.getPeer();

    if (dialogPeer == nullptr || ownerPeer == nullptr || dialogPeer == ownerPeer)
        return;

    // WM_TRANSIENT_FOR: the window manager then stacks the dialog above its owner.
    auto* display = juce::XWindowSystem::getInstance()->getDisplay();

    if (display == nullptr)
        return;

    const auto dialogWindow = (::Window) (juce::pointer_sized_uint) dialogPeer->getNativeHandle();
    auto ownerWindow = (::Window) (juce::pointer_sized_uint) ownerPeer->getNativeHandle();

    const juce::XWindowSystemUtilities::ScopedXLock xLock;
    auto* x11 = juce::X11Symbols::getInstance();
    x11->xChangeProperty (display, dialogWindow, XA_WM_TRANSIENT_FOR, XA_WINDOW, 32, PropModeReplace,
                          reinterpret_cast<unsigned char*> (&ownerWindow), 1);
    x11->xFlush (display);
}
}
