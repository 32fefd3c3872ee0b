#include "views/CustomLook.h"
#include "views/NumberBoxParameterValue.h"
#include "ViewTestHelpers.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour accentBlue (0xff117fc6);

juce::Image drawWith (int width, int height, std::function<void (juce::Graphics&)> draw)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    draw (g);
    return image;
}

// The smallest rectangle holding every pixel for which the predicate holds.
juce::Rectangle<int> boundsOf (const juce::Image& image, std::function<bool (juce::Colour)> predicate)
{
    juce::Rectangle<int> area;
    bool found = false;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (predicate (image.getPixelAt (x, y)))
            {
                const juce::Rectangle<int> pixel (x, y, 1, 1);
                area = found ? area.getUnion (pixel) : pixel;
                found = true;
            }

    return area;
}

bool isWhite (juce::Colour c) { return c == juce::Colours::white; }

// White, allowing for the anti-aliased edge of a rounded body.
bool isEdgeWhite (juce::Colour c) { return c.withAlpha ((juce::uint8) 255) == juce::Colours::white && c.getAlpha() > 240; }
bool isOpaque (juce::Colour c) { return c.getAlpha() > 0; }
bool isReddish (juce::Colour c) { return c.getAlpha() > 100 && c.getRed() > 150 && c.getGreen() < 100 && c.getBlue() < 100; }
} // namespace

TEST (CustomLook, ComboBoxIsAWhiteBodyWithATenByFourArrow)
{
    CustomLook look;
    juce::ComboBox box;
    box.setLookAndFeel (&look);
    box.setColour (juce::ComboBox::arrowColourId, juce::Colours::red);
    box.setColour (juce::ComboBox::outlineColourId, juce::Colours::red);
    box.setBounds (0, 0, 100, 20);

    const auto image = renderComponent (box);
    box.setLookAndFeel (nullptr);

    // The arrow's tip is 10 pixels from the right edge, its base on the middle row.
    const auto arrow = boundsOf (image, isReddish);
    EXPECT_NEAR (arrow.getX(), 85, 1);
    EXPECT_NEAR (arrow.getRight(), 95, 1);
    EXPECT_NEAR (arrow.getY(), 10, 1);
    EXPECT_NEAR (arrow.getBottom(), 14, 1);

    // No outline: the edges away from the rounded corners are body white.
    for (auto point : { juce::Point<int> (50, 0), juce::Point<int> (50, 19), juce::Point<int> (0, 10), juce::Point<int> (99, 10) })
        EXPECT_TRUE (isEdgeWhite (image.getPixelAt (point.x, point.y))) << point.toString();
}

TEST (CustomLook, PopupMenuIsBlueWithWhiteItemsAndNoTicks)
{
    CustomLook look;

    const auto background = drawWith (40, 30, [&] (juce::Graphics& g) { look.drawPopupMenuBackground (g, 40, 30); });
    EXPECT_EQ (boundsOf (background, [] (juce::Colour c) { return c != accentBlue; }), juce::Rectangle<int>());

    auto drawItem = [&] (bool highlighted, bool ticked) {
        return drawWith (120, 24, [&] (juce::Graphics& g) {
            g.fillAll (accentBlue);
            look.drawPopupMenuItem (g, { 0, 0, 120, 24 }, false, true, highlighted, ticked, false,
                                    "CC Toggle", {}, nullptr, nullptr);
        });
    };

    const auto plain = drawItem (false, false);
    const auto text = boundsOf (plain, [] (juce::Colour c) { return c.getRed() > 200; });
    EXPECT_FALSE (text.isEmpty());
    EXPECT_LT (text.getX(), 4); // left-aligned
    EXPECT_LT (text.getY(), 8); // at the top, not centred

    const auto highlighted = drawItem (true, false);
    EXPECT_TRUE (isWhite (highlighted.getPixelAt (118, 22)));
    EXPECT_FALSE (boundsOf (highlighted, [] (juce::Colour c) { return c.getBlue() > 150 && c.getRed() < 100; }).isEmpty());

    const auto ticked = drawItem (false, true);
    EXPECT_EQ (boundsOf (ticked, [&] (juce::Colour c) { return c != accentBlue; }), boundsOf (plain, [&] (juce::Colour c) { return c != accentBlue; }));
}

TEST (CustomLook, ButtonBodyFollowsItsStateWithABlackOutline)
{
    CustomLook look;
    juce::TextButton button;
    button.setBounds (0, 0, 60, 24);

    auto draw = [&] (bool over, bool down) {
        return drawWith (60, 24, [&] (juce::Graphics& g) {
            look.drawButtonBackground (g, button, juce::Colours::red, over, down);
        });
    };

    EXPECT_EQ (draw (false, true).getPixelAt (30, 12), juce::Colour (0xffd3d3d3));
    EXPECT_EQ (draw (true, true).getPixelAt (30, 12), juce::Colour (0xffd3d3d3));
    EXPECT_EQ (draw (true, false).getPixelAt (30, 12), juce::Colours::white);
    EXPECT_EQ (draw (false, false).getPixelAt (30, 12), juce::Colour (0xfff5f5f5));

    const auto edge = draw (false, false).getPixelAt (30, 0);
    EXPECT_LT (edge.getBrightness(), 0.6f); // the outline, half a pixel wide on the edge
    EXPECT_GT (edge.getAlpha(), 100);
}

TEST (CustomLook, LabelsAreDrawnLeftAlignedOnOneLineAndDimmedWhenDisabled)
{
    CustomLook look;
    juce::Label label ({}, "Channel");
    label.setLookAndFeel (&look);
    label.setJustificationType (juce::Justification::centred);
    label.setColour (juce::Label::textColourId, juce::Colours::black);
    label.setBounds (0, 0, 200, 40);

    const auto enabled = renderComponent (label);
    const auto ink = boundsOf (enabled, isOpaque);
    EXPECT_LT (ink.getX(), 5);
    EXPECT_LT (ink.getRight(), 100);
    EXPECT_NEAR (ink.getCentreY(), 20, 3);

    label.setEnabled (false);
    const auto disabled = renderComponent (label);
    label.setLookAndFeel (nullptr);

    auto maxAlpha = [] (const juce::Image& image) {
        juce::uint8 alpha = 0;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                alpha = juce::jmax (alpha, image.getPixelAt (x, y).getAlpha());

        return alpha;
    };

    EXPECT_EQ (maxAlpha (enabled), 255);
    EXPECT_NEAR (maxAlpha (disabled), 128, 2);
}

TEST (CustomLook, NumberBoxHasAWhiteBodyAndNoOutlineEvenWithFocusColours)
{
    CustomLook look;
    std::unique_ptr<NumberBoxParameterValue> box (createNumberBoxParameterValue (0, 127, 0, 0, "Knob 1 CC"));
    box->setLookAndFeel (&look);
    box->setColour (juce::TextEditor::focusedOutlineColourId, juce::Colours::red);
    box->setColour (juce::TextEditor::outlineColourId, juce::Colours::red);
    box->setBounds (0, 0, 80, 20);

    const auto image = renderComponent (*box);
    box->setLookAndFeel (nullptr);

    EXPECT_TRUE (boundsOf (image, isReddish).isEmpty());
    for (auto point : { juce::Point<int> (0, 0), juce::Point<int> (79, 19), juce::Point<int> (60, 10) })
        EXPECT_TRUE (isWhite (image.getPixelAt (point.x, point.y))) << point.toString();

    // The digit is drawn in the accent blue.
    EXPECT_FALSE (boundsOf (image, [] (juce::Colour c) { return c.getBlue() > 150 && c.getRed() < 120; }).isEmpty());
}

TEST (CustomLook, ToggleButtonIsAFrameAndDisabledMenuBarItemsAreWhite)
{
    CustomLook look;
    juce::ToggleButton toggle ("Thru");
    toggle.setColour (juce::ToggleButton::textColourId, juce::Colours::red);
    toggle.setBounds (0, 0, 60, 20);

    const auto frame = drawWith (60, 20, [&] (juce::Graphics& g) { look.drawToggleButton (g, toggle, false, false); });
    EXPECT_EQ (frame.getPixelAt (30, 0), juce::Colours::red);
    EXPECT_EQ (frame.getPixelAt (0, 10), juce::Colours::red);
    EXPECT_EQ (boundsOf (frame, isOpaque), juce::Rectangle<int> (0, 0, 60, 20));
    EXPECT_TRUE (boundsOf (frame.getClippedImage ({ 1, 1, 58, 18 }), isOpaque).isEmpty()); // no tick box, no text

    const auto hovered = drawWith (60, 20, [&] (juce::Graphics& g) { look.drawToggleButton (g, toggle, true, false); });
    EXPECT_EQ (hovered.getPixelAt (30, 0), juce::Colours::red.darker (0.1f));

    juce::MenuBarComponent bar;
    bar.setSize (200, 20); // the bar's height sets the font
    bar.setColour (juce::PopupMenu::textColourId, juce::Colours::black);
    auto drawItem = [&] {
        return drawWith (50, 20, [&] (juce::Graphics& g) { look.drawMenuBarItem (g, 50, 20, 0, "File", false, false, false, bar); });
    };

    EXPECT_EQ (drawItem().getPixelAt (1, 1).getAlpha(), 0);
    bar.setEnabled (false);
    const auto disabled = drawItem();
    EXPECT_TRUE (isWhite (disabled.getPixelAt (1, 1)));
    EXPECT_FALSE (boundsOf (disabled, [] (juce::Colour c) { return c.getBrightness() < 0.9f; }).isEmpty());
}
