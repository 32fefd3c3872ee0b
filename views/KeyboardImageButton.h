#pragma once

#include "AssetImageButton.h"

/**
    An image button that the keyboard reaches as well as the mouse: Tab stops on it with
    a focus outline, and Space or Return clicks it. A mouse click leaves the keyboard focus
    where it was, so the button looks the same after a click as before.
*/
class KeyboardImageButton : public AssetImageButton
{
public:
    KeyboardImageButton();
    ~KeyboardImageButton() override;

    /** Space clicks, as Return does. */
    bool keyPressed (const juce::KeyPress& key) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KeyboardImageButton)
};
