#include "DesktopScale.h"
#include "app/platform/XlibConnection.h"

double DesktopScale::findXftDpi (const juce::String& xResources)
{
    for (const auto& line : juce::StringArray::fromLines (xResources))
    {
        const auto name = line.upToFirstOccurrenceOf (":", false, false).trim();

        if (name == "Xft.dpi")
            return line.fromFirstOccurrenceOf (":", false, false).trim().getDoubleValue();
    }

    return 0.0;
}

double DesktopScale::choose (const Sources& sources)
{
    if (sources.framework > 1.0)
        return sources.framework;

    // GTK takes only whole numbers here, and so do we.
    const auto gdkScale = sources.gdkScale.trim();

    if (gdkScale.containsOnly ("0123456789") && gdkScale.getIntValue() >= 1)
        return gdkScale.getIntValue();

    return juce::jmax (1.0, findXftDpi (sources.xResources) / 96.0);
}

DesktopScale::Sources DesktopScale::read()
{
    Sources sources;

    if (auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        sources.framework = display->scale / (double) juce::Desktop::getInstance().getGlobalScaleFactor();

    sources.gdkScale = juce::SystemStats::getEnvironmentVariable ("GDK_SCALE", {});
    sources.xResources = XlibConnection::get().getResources();
    return sources;
}

void DesktopScale::apply()
{
    const auto sources = read();
    const auto scale = choose (sources);

    // Only a scale the framework does not know about yet is added to its own.
    if (scale > sources.framework)
        juce::Desktop::getInstance().setGlobalScaleFactor ((float) (scale / sources.framework));
}
