#include "KeyboardImageButton.h"

KeyboardImageButton::KeyboardImageButton()
{
    setWantsKeyboardFocus (true);
    setMouseClickGrabsKeyboardFocus (false);
    setHasFocusOutline (true);
}

KeyboardImageButton::~KeyboardImageButton() = default;

bool KeyboardImageButton::keyPressed (const juce::KeyPress& key)
{
    if (isEnabled() && key == juce::KeyPress::spaceKey)
    {
        triggerClick();
        return true;
    }

    return AssetImageButton::keyPressed (key);
}
