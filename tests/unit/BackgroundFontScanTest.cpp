#include "app/look/BackgroundFontScan.h"

#include <gtest/gtest.h>

// The scan must be over before the program goes on with text, however it ends: waited for
// once, twice, or only by its destructor (a thread still running there would end the program).
TEST (BackgroundFontScan, IsOverOnceWaitedForAndWhenDestroyedUnwaited)
{
    {
        BackgroundFontScan scan;
        scan.waitUntilDone();
        scan.waitUntilDone();
        EXPECT_FALSE (juce::Font::findAllTypefaceNames().isEmpty());
    }

    BackgroundFontScan unwaited;
}
