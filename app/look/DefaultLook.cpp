#include "DefaultLook.h"
#include "views/ShortcutText.h"
#include "views/CustomLook.h"

DefaultLook::DefaultLook()
    : juce::LookAndFeel_V4 (CustomLook::getLightColourScheme())
{
}

DefaultLook::~DefaultLook() = default;

void DefaultLook::drawPopupMenuItemWithOptions (juce::Graphics& g, const juce::Rectangle<int>& area, bool isHighlighted,
                                                const juce::PopupMenu::Item& item, const juce::PopupMenu::Options& options)
{
    if (item.shortcutKeyDescription.isEmpty())
    {
        juce::LookAndFeel_V4::drawPopupMenuItemWithOptions (g, area, isHighlighted, item, options);
        return;
    }

    auto shown = item;
    shown.shortcutKeyDescription = ShortcutText::fromDescription (item.shortcutKeyDescription);
    juce::LookAndFeel_V4::drawPopupMenuItemWithOptions (g, area, isHighlighted, shown, options);
}
