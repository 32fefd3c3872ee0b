#include "preset/PresetDiff.h"
#include "preset/PresetLayout.h"

#include <gtest/gtest.h>

// The window's comparison with the device: diff's lines, each side named by where it is.
TEST (PresetDiff, EachSideCanBeNamedByWhereItIs)
{
    const auto window = PresetLayout::getDefaultPresetImage();
    auto device = window;
    device.set (19, 74); // Knob 2 CC
    device.set (13, 1);  // Knob 1 Mode Aftertouch
    device.set (34, 9);  // Pad 1 Note

    EXPECT_EQ (PresetDiff::describe (window, device, "in the window", "in the Q7X"),
               juce::StringArray ({ "Knob 1 Mode: CC in the window, Aftertouch in the Q7X",
                                    "Knob 1 CC: 20 in the window, - in the Q7X",
                                    "Knob 2 CC: 21 in the window, 74 in the Q7X",
                                    "Pad 1 Note: 49 (C#2) in the window, 9 (A-2) in the Q7X" }));
    EXPECT_TRUE (PresetDiff::describe (window, window, "in the window", "in the Q7X").isEmpty());
}
