#include "MenuBarKeys.h"

MenuBarKeys::MenuBarKeys (juce::DocumentWindow& windowWithMenuBar)
    : window (windowWithMenuBar)
{
}

bool MenuBarKeys::openMenuBar()
{
    auto* bar = dynamic_cast<juce::MenuBarComponent*> (window.getMenuBarComponent());

    if (bar == nullptr)
        return false;

    bar->showMenu (0);
    return true;
}

bool MenuBarKeys::isMenuKey (const juce::KeyPress& key)
{
    altPressedAlone = false;
    return key == juce::KeyPress (juce::KeyPress::F10Key);
}

void MenuBarKeys::modifierKeysChanged (const juce::ModifierKeys& modifiers)
{
    const auto keys = modifiers.withoutMouseButtons();

    if (keys == juce::ModifierKeys (juce::ModifierKeys::altModifier) && ! modifiers.isAnyMouseButtonDown())
    {
        altPressedAlone = true;
        return;
    }

    const auto released = altPressedAlone && ! keys.isAnyModifierKeyDown() && ! modifiers.isAnyMouseButtonDown();
    altPressedAlone = false;

    // The window under the pointer hears the modifiers too; only the one in front answers.
    if (released && window.isActiveWindow())
        openMenuBar();
}
