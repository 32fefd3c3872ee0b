#include "ShortcutText.h"

juce::String ShortcutText::fromDescription (const juce::String& description)
{
    // A command with several keys lists them as "ctrl + shift + Z, ctrl + Y"; the comma key
    // itself ("ctrl + ,") ends in a comma that no space follows.
    juce::StringArray keyPresses;

    for (auto rest = description;;)
    {
        const auto comma = rest.indexOf (", ");

        if (comma < 0)
        {
            keyPresses.add (fromKeyPress (rest));
            break;
        }

        keyPresses.add (fromKeyPress (rest.substring (0, comma)));
        rest = rest.substring (comma + 2);
    }

    return keyPresses.joinIntoString (", ");
}

juce::String ShortcutText::of (const juce::KeyPress& key)
{
    return fromKeyPress (key.getTextDescription());
}

juce::String ShortcutText::fromKeyPress (const juce::String& keyPress)
{
    auto parts = juce::StringArray::fromTokens (keyPress, "+", {});
    parts.trim();
    parts.removeEmptyStrings();

    // "ctrl + +" names the plus key itself.
    if (keyPress.trimEnd().endsWith ("+ +"))
        parts.add ("+");

    for (auto& part : parts)
        if (part.length() > 1 && ! part.startsWithChar ('#'))
            part = part.substring (0, 1).toUpperCase() + part.substring (1);

    return parts.joinIntoString ("+");
}
