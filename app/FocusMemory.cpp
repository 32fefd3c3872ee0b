#include "FocusMemory.h"

FocusMemory::FocusMemory (juce::TopLevelWindow& windowToWatch)
    : window (windowToWatch)
{
    juce::Desktop::getInstance().addFocusChangeListener (this);
}

FocusMemory::~FocusMemory()
{
    juce::Desktop::getInstance().removeFocusChangeListener (this);
}

void FocusMemory::globalFocusChanged (juce::Component* focused)
{
    // Only where the user put the focus counts, not where the framework puts it while the
    // window is coming back to the front.
    if (focused != nullptr && window.isActiveWindow() && window.isParentOf (focused))
        lastFocus = focused;
}

void FocusMemory::windowActivated()
{
    if (lastFocus == nullptr)
        return;

    // Brought back by a click, the window keeps the focus the click gave.
    if (juce::ModifierKeys::getCurrentModifiersRealtime().isAnyMouseButtonDown())
    {
        lastFocus = nullptr;
        return;
    }

    if (lastFocus->isShowing() && ! lastFocus->hasKeyboardFocus (false))
        lastFocus->grabKeyboardFocus();
}
