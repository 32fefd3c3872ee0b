#include "views/StretchedBackground.h"

#include <gtest/gtest.h>

// Every editor draws the one image made for its scale; another scale has its own, at its own size.
TEST (StretchedBackground, OneImagePerScaleSharedByEveryEditor)
{
    const auto atOne = StretchedBackground::getForScale (1.0f);
    const auto againAtOne = StretchedBackground::getForScale (1.0f);
    const auto atTwo = StretchedBackground::getForScale (2.0f);

    EXPECT_EQ (atOne.getPixelData(), againAtOne.getPixelData());
    EXPECT_NE (atOne.getPixelData(), atTwo.getPixelData());
    EXPECT_EQ (atOne.getBounds(), juce::Rectangle<int> (0, 0, 1200, 700));
    EXPECT_EQ (atTwo.getBounds(), juce::Rectangle<int> (0, 0, 2400, 1400));

    // The art's blue band starts at row 448 of 700; stretched to 750 rows it starts at 480.
    const juce::Colour blue (0xff0093d0);

    for (const auto& [image, scale] : { std::pair (atOne, 1), std::pair (atTwo, 2) })
    {
        EXPECT_EQ (image.getPixelAt (600 * scale, 490 * scale), blue) << scale;
        EXPECT_NE (image.getPixelAt (600 * scale, 470 * scale), blue) << scale;
    }
}
