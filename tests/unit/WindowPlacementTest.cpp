#include <gtest/gtest.h>

#include "app/WindowPlacement.h"

namespace
{
const juce::Point<int> documentSize (1200, 724); // 1200 x 700 editor and its menu bar
const juce::BorderSize<int> titleBar (20, 1, 1, 1);

/** The window with its frame on the screen, where a placement puts it. */
juce::Rectangle<int> framedOnScreen (const WindowPlacement::Placement& placement)
{
    // The window system puts the frame's corner at the requested position.
    const auto s = placement.scale;
    return { juce::roundToInt ((float) placement.topLeft.x * s), juce::roundToInt ((float) placement.topLeft.y * s),
             juce::roundToInt ((float) documentSize.x * s) + titleBar.getLeftAndRight(),
             juce::roundToInt ((float) documentSize.y * s) + titleBar.getTopAndBottom() };
}
}

TEST (WindowPlacement, AWindowThatFitsKeepsItsSizeAndCascadePlace)
{
    const auto placement = WindowPlacement::getPlacement (1, documentSize, titleBar, { 0, 0, 1920, 1080 });
    EXPECT_EQ (placement.scale, 1.0f);
    EXPECT_EQ (placement.topLeft, juce::Point<int> (15, 60));

    EXPECT_EQ (WindowPlacement::getPlacement (3, documentSize, titleBar, { 0, 0, 1920, 1080 }).topLeft,
               juce::Point<int> (45, 90));
}

TEST (WindowPlacement, AWindowTallerThanTheCascadeRoomMovesUpInsteadOfShrinking)
{
    // 1366 x 768: the framed window (745 high) fits, but not below y = 60.
    const auto placement = WindowPlacement::getPlacement (1, documentSize, titleBar, { 0, 0, 1366, 768 });
    EXPECT_EQ (placement.scale, 1.0f);
    EXPECT_EQ (placement.topLeft, juce::Point<int> (15, 23));

    // A panel across the top of the screen is kept clear.
    const auto belowPanel = WindowPlacement::getPlacement (2, documentSize, titleBar, { 0, 22, 1366, 746 });
    EXPECT_EQ (belowPanel.scale, 1.0f);
    EXPECT_EQ (belowPanel.topLeft, juce::Point<int> (30, 23));
}

TEST (WindowPlacement, AWindowLargerThanTheScreenIsScaledDownUniformlyToFitInside)
{
    const juce::Rectangle<int> screens[] = { { 0, 0, 1024, 768 }, { 0, 0, 800, 600 }, { 0, 24, 1280, 696 }, { 100, 0, 1100, 800 } };

    for (const auto& workArea : screens)
    {
        for (int counter = 1; counter <= 6; ++counter)
        {
            const auto placement = WindowPlacement::getPlacement (counter, documentSize, titleBar, workArea);
            EXPECT_LT (placement.scale, 1.0f) << workArea.toString();
            EXPECT_TRUE (workArea.contains (framedOnScreen (placement)))
                << workArea.toString() << " holds no " << framedOnScreen (placement).toString();

            // Converting the scaled size to screen pixels and back gives the layout size again.
            const auto s = placement.scale;
            EXPECT_EQ (juce::roundToInt ((float) juce::roundToInt (1200.0f * s) / s), 1200) << s;
            EXPECT_EQ (juce::roundToInt ((float) juce::roundToInt (724.0f * s) / s), 724) << s;
        }
    }

    // No more shrinking than needed: 1024 wide leaves 1022 for the window, one pixel spare.
    EXPECT_FLOAT_EQ (WindowPlacement::getFittingScale (documentSize, titleBar, { 1024, 768 }), 1021.0f / 1200.0f);
    EXPECT_EQ (WindowPlacement::getFittingScale (documentSize, titleBar, { 1202, 745 }), 1.0f);
    EXPECT_LT (WindowPlacement::getFittingScale (documentSize, titleBar, { 1202, 744 }), 1.0f);
}

TEST (WindowPlacement, FiveWindowsTakeFiveVisiblePlacesOnEveryScreen)
{
    // The framed window is 1202 x 745. Where a cascade place leaves the work area, the window
    // moves in along that direction only, and keeps its step along the other.
    const struct
    {
        juce::Rectangle<int> workArea;
        juce::Point<int> corners[5]; // frame corners of documents 1 to 5
    } screens[] = {
        { { 0, 0, 1920, 1080 }, { { 15, 60 }, { 30, 75 }, { 45, 90 }, { 60, 105 }, { 75, 120 } } },
        { { 0, 0, 1366, 768 }, { { 15, 23 }, { 30, 23 }, { 45, 23 }, { 60, 23 }, { 75, 23 } } },
        { { 0, 22, 1366, 746 }, { { 15, 23 }, { 30, 23 }, { 45, 23 }, { 60, 23 }, { 75, 23 } } },
        { { 0, 0, 1280, 800 }, { { 15, 55 }, { 30, 55 }, { 45, 55 }, { 60, 55 }, { 75, 55 } } },
        { { 0, 0, 1240, 1080 }, { { 15, 60 }, { 30, 75 }, { 38, 90 }, { 38, 105 }, { 38, 120 } } },
        { { 100, 0, 1400, 900 }, { { 100, 60 }, { 100, 75 }, { 100, 90 }, { 100, 105 }, { 100, 120 } } },
    };

    for (const auto& screen : screens)
    {
        for (int counter = 1; counter <= 5; ++counter)
        {
            const auto placement = WindowPlacement::getPlacement (counter, documentSize, titleBar, screen.workArea);
            EXPECT_EQ (placement.scale, 1.0f) << screen.workArea.toString();
            EXPECT_EQ (placement.topLeft, screen.corners[counter - 1])
                << screen.workArea.toString() << ", document " << counter;
            EXPECT_TRUE (screen.workArea.contains (framedOnScreen (placement)))
                << screen.workArea.toString() << " holds no " << framedOnScreen (placement).toString();
        }
    }

    // A sixth document (five at most are open) goes on down the cascade where it fits, and takes
    // the first place again where five places fill the room.
    EXPECT_EQ (WindowPlacement::getPlacement (6, documentSize, titleBar, { 0, 0, 1920, 1080 }).topLeft, juce::Point<int> (90, 135));
    EXPECT_EQ (WindowPlacement::getPlacement (6, documentSize, titleBar, { 0, 0, 1366, 768 }).topLeft, juce::Point<int> (15, 23));
}

TEST (WindowPlacement, CascadeStartsAgainWhenItWouldLeaveTheWorkArea)
{
    const juce::Rectangle<int> area (0, 0, 160, 1000);
    const juce::Point<int> size (100, 100);

    EXPECT_EQ (WindowPlacement::getCascadePosition (1, size, area), juce::Point<int> (15, 60));
    EXPECT_EQ (WindowPlacement::getCascadePosition (4, size, area), juce::Point<int> (60, 105));
    // Not before five places, as five windows may be open: the fifth is moved in by getPlacement.
    EXPECT_EQ (WindowPlacement::getCascadePosition (5, size, area), juce::Point<int> (75, 120));
    EXPECT_EQ (WindowPlacement::getCascadePosition (6, size, area), juce::Point<int> (15, 60));

    EXPECT_EQ (WindowPlacement::getCascadePosition (10, { 1200, 725 }, { 0, 0, 1920, 1080 }), juce::Point<int> (150, 195));
    EXPECT_EQ (WindowPlacement::getCascadePosition (21, { 1200, 725 }, { 0, 0, 1920, 1080 }), juce::Point<int> (15, 60));
    EXPECT_EQ (WindowPlacement::getCascadePosition (3, { 2000, 100 }, { 0, 0, 1920, 1080 }), juce::Point<int> (45, 90));
}
