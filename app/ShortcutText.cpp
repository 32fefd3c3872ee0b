#include "ShortcutText.h"

juce::String ShortcutText::fromDescription (const juce::String& description)
{
    auto parts = juce::StringArray::fromTokens (description, "+", {});
    parts.trim();
    parts.removeEmptyStrings();

    // "ctrl + +" names the plus key itself.
    if (description.trimEnd().endsWith ("+ +"))
        parts.add ("+");

    for (auto& part : parts)
        if (part.length() > 1 && ! part.startsWithChar ('#'))
            part = part.substring (0, 1).toUpperCase() + part.substring (1);

    return parts.joinIntoString ("+");
}

void ShortcutText::applyTo (juce::PopupMenu& menu)
{
    for (juce::PopupMenu::MenuItemIterator items (menu, true); items.next();)
    {
        auto& item = items.getItem();

        if (item.shortcutKeyDescription.isNotEmpty())
            item.shortcutKeyDescription = fromDescription (item.shortcutKeyDescription);
    }
}
