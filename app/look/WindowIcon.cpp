#include "WindowIcon.h"
#include <IconData.h>

juce::Image WindowIcon::get()
{
    return juce::ImageCache::getFromMemory (IconData::q7xeditor128_png, IconData::q7xeditor128_pngSize);
}

void WindowIcon::applyTo (juce::Component& window)
{
    if (auto* peer = window.getPeer())
        peer->setIcon (get());
}
