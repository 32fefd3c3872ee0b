#include "GestureSteps.h"

bool GestureSteps::joinsPrevious (const juce::String& key, bool continuing, juce::uint32 timeMs)
{
    // Unsigned: a counter that wrapped between two notches still gives their distance.
    const auto joins = continuing && lastKey.isNotEmpty() && key == lastKey && timeMs - lastTimeMs <= maxGapMs;
    lastKey = continuing ? key : juce::String();
    lastTimeMs = timeMs;
    return joins;
}

void GestureSteps::interrupt()
{
    lastKey = {};
}
