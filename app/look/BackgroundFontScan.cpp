#include "BackgroundFontScan.h"

BackgroundFontScan::BackgroundFontScan()
    : scan ([] { juce::Font::findAllTypefaceNames(); })
{
}

BackgroundFontScan::~BackgroundFontScan()
{
    waitUntilDone();
}

void BackgroundFontScan::waitUntilDone()
{
    if (scan.joinable())
        scan.join();
}
