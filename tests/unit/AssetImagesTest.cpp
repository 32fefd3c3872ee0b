#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "AssetCatalogue.h"
#include "assets/AssetImages.h"
#include "BinaryData.h"

using namespace AssetCatalogue;

namespace
{
const juce::Colour brandBlue (0xff0093d0);
const juce::Colour lightGrey (0xffd0d2d3);

juce::Image image (const juce::String& name)
{
    return AssetImages::get (name.toRawUTF8());
}

/** Number of pixels whose colour differs between two images of one size by more than `tolerance` in any channel. */
int countDifferentPixels (const juce::Image& a, const juce::Rectangle<int>& areaInA,
                          const juce::Image& b, juce::Point<int> originInB, int tolerance = 0)
{
    int different = 0;

    for (int y = 0; y < areaInA.getHeight(); ++y)
    {
        for (int x = 0; x < areaInA.getWidth(); ++x)
        {
            const auto pa = a.getPixelAt (areaInA.getX() + x, areaInA.getY() + y);
            const auto pb = b.getPixelAt (originInB.x + x, originInB.y + y);

            if (std::abs (pa.getRed() - pb.getRed()) > tolerance
                || std::abs (pa.getGreen() - pb.getGreen()) > tolerance
                || std::abs (pa.getBlue() - pb.getBlue()) > tolerance
                || std::abs (pa.getAlpha() - pb.getAlpha()) > tolerance)
                ++different;
        }
    }

    return different;
}

int countDifferentPixels (const juce::Image& a, const juce::Image& b)
{
    return countDifferentPixels (a, a.getBounds(), b, {});
}

/** The share of an image's pixels close to a colour. */
double shareOfColour (const juce::Image& img, juce::Colour colour, int tolerance = 12)
{
    int matching = 0;

    for (int y = 0; y < img.getHeight(); ++y)
        for (int x = 0; x < img.getWidth(); ++x)
        {
            const auto p = img.getPixelAt (x, y);

            if (p.getAlpha() > 200
                && std::abs (p.getRed() - colour.getRed()) <= tolerance
                && std::abs (p.getGreen() - colour.getGreen()) <= tolerance
                && std::abs (p.getBlue() - colour.getBlue()) <= tolerance)
                ++matching;
        }

    return matching / (double) (img.getWidth() * img.getHeight());
}

float meanBrightness (const juce::Image& img)
{
    double sum = 0;

    for (int y = 0; y < img.getHeight(); ++y)
        for (int x = 0; x < img.getWidth(); ++x)
            sum += img.getPixelAt (x, y).getPerceivedBrightness();

    return (float) (sum / (img.getWidth() * img.getHeight()));
}

/** How far an image leans to blue: the mean of blue minus red, 0..1. */
float meanBlueCast (const juce::Image& img)
{
    double sum = 0;

    for (int y = 0; y < img.getHeight(); ++y)
        for (int x = 0; x < img.getWidth(); ++x)
        {
            const auto p = img.getPixelAt (x, y);
            sum += (p.getBlue() - p.getRed()) / 255.0;
        }

    return (float) (sum / (img.getWidth() * img.getHeight()));
}

bool isBrandBlue (juce::Colour c)
{
    return c.getARGB() == brandBlue.getARGB();
}
}

TEST (AssetImages, EveryCatalogueImageDecodesAtItsSize)
{
    for (const auto& entry : catalogue)
    {
        const auto img = AssetImages::get (entry.name);
        ASSERT_TRUE (img.isValid()) << entry.name;
        EXPECT_EQ (img.getWidth(), entry.width) << entry.name;
        EXPECT_EQ (img.getHeight(), entry.height) << entry.name;
    }

    EXPECT_EQ (BinaryData::namedResourceListSize, (int) std::size (catalogue))
        << "every embedded image belongs to the catalogue";
}

TEST (AssetImages, UnknownNamesGiveAnInvalidImage)
{
    EXPECT_FALSE (AssetImages::get ("noSuchImage").isValid());
    EXPECT_FALSE (AssetImages::get ("editorBackground.png").isValid());
    EXPECT_FALSE (AssetImages::get ("").isValid());
}

TEST (AssetImages, AnImageIsDecodedOnceAndShared)
{
    const auto first = AssetImages::get ("pictureBackground");
    const auto second = AssetImages::get ("pictureBackground");
    EXPECT_EQ (first.getPixelData(), second.getPixelData());
}

TEST (AssetImages, ButtonStatesLookDifferent)
{
    for (const auto& entry : catalogue)
    {
        const juce::String name (entry.name);

        if (! name.endsWith ("Normal"))
            continue;

        const auto base = name.dropLastCharacters (6);
        const auto normal = image (name);
        const auto over = image (base + "Over");
        ASSERT_TRUE (over.isValid()) << base;

        // A state change must be visible, not a handful of stray pixels.
        const auto minimum = normal.getWidth() * normal.getHeight() / 50;
        EXPECT_GT (countDifferentPixels (normal, over), minimum) << base << " normal/over";

        // Main buttons reuse the normal image when pressed.
        if (name.contains ("Button"))
        {
            EXPECT_FALSE (image (base + "Down").isValid()) << base;
            continue;
        }

        const auto down = image (base + "Down");
        ASSERT_TRUE (down.isValid()) << base;
        EXPECT_GT (countDifferentPixels (normal, down), minimum) << base << " normal/down";
        EXPECT_GT (countDifferentPixels (over, down), minimum) << base << " over/down";
    }
}

TEST (AssetImages, HotspotsMatchThePictureBeneathThem)
{
    const auto picture = image ("pictureBackground");

    for (const auto& spot : hotspots)
    {
        const auto normal = image (juce::String (spot.name) + "PictureNormal");
        const auto onPicture = spot.area.getIntersection (picture.getBounds());

        EXPECT_EQ (normal.getBounds(), spot.area.withZeroOrigin()) << spot.name << ": drawn for another area";
        EXPECT_EQ (countDifferentPixels (picture, onPicture, normal, {}), 0) << spot.name;
    }
}

TEST (AssetImages, HotspotStatesLightenAndTintBlue)
{
    for (const auto& spot : hotspots)
    {
        const juce::String name (spot.name);
        const auto normal = image (name + "PictureNormal");
        const auto over = image (name + "PictureOver");
        const auto down = image (name + "PictureDown");

        EXPECT_GT (meanBrightness (over), meanBrightness (normal)) << name;
        EXPECT_GT (meanBlueCast (down), meanBlueCast (normal) + 0.1f) << name;
    }
}

namespace
{
/** The runs of one image row whose pixels pass a test, as (start, length). */
template <typename Predicate>
std::vector<juce::Range<int>> runsInRow (const juce::Image& img, int y, Predicate passes)
{
    std::vector<juce::Range<int>> runs;
    int start = -1;

    for (int x = 0; x <= img.getWidth(); ++x)
    {
        const bool inside = x < img.getWidth() && passes (img.getPixelAt (x, y));

        if (inside && start < 0)
            start = x;

        if (! inside && start >= 0)
        {
            runs.push_back ({ start, x });
            start = -1;
        }
    }

    return runs;
}
}

TEST (AssetImages, KeybedShowsTwentyFiveKeysFromCToC)
{
    const auto keys = image ("keybedPictureNormal");
    auto isLight = [] (juce::Colour c) { return c.getBrightness() > 0.7f; };
    auto isDark = [] (juce::Colour c) { return c.getBrightness() < 0.3f; };

    // Near the front edge only the white keys are crossed; further back, the black ones too.
    std::vector<juce::Range<int>> whites;
    for (const auto& run : runsInRow (keys, 280, isLight))
        if (run.getLength() > 20)
            whites.push_back (run);

    ASSERT_EQ (whites.size(), 15u);
    const auto pitch = (whites.back().getStart() - whites.front().getStart()) / 14.0;

    std::vector<juce::Range<int>> blacks;
    for (const auto& run : runsInRow (keys, 120, isDark))
        if (run.getLength() > 15 && run.getStart() > whites.front().getStart() && run.getEnd() < whites.back().getEnd())
            blacks.push_back (run);

    ASSERT_EQ (blacks.size(), 10u);

    // C# D#, F# G# A#, twice: each black key stands over the gap after white key C, D, F, G or A.
    const int gapsAfter[] = { 1, 2, 4, 5, 6, 8, 9, 11, 12, 13 };
    for (size_t i = 0; i < blacks.size(); ++i)
    {
        const auto centre = (blacks[i].getStart() + blacks[i].getEnd()) / 2.0;
        EXPECT_EQ (juce::roundToInt ((centre - whites.front().getStart()) / pitch), gapsAfter[i]) << "black key " << i;
    }
}

TEST (AssetImages, TabsAndButtonsUseTheirColours)
{
    for (const auto* tab : { "main", "knobs", "switches", "pads", "keybed", "wheels", "sustain" })
    {
        const juce::String base (juce::String (tab) + "Tab");
        EXPECT_EQ (image (base + "Normal").getPixelAt (3, 3).getARGB(), 0xffffffffu) << tab;
        EXPECT_EQ (image (base + "Over").getPixelAt (3, 3).getARGB(), lightGrey.getARGB()) << tab;
        EXPECT_TRUE (isBrandBlue (image (base + "Down").getPixelAt (3, 3))) << tab;

        // The label: blue ink on the light tabs, white ink on the blue one.
        EXPECT_GT (shareOfColour (image (base + "Normal"), brandBlue, 20), 0.01) << tab;
        EXPECT_GT (shareOfColour (image (base + "Down"), juce::Colours::white, 20), 0.01) << tab;
    }

    for (const auto* button : { "getPreset", "sendPreset", "loadPreset", "savePreset" })
    {
        const juce::String base (juce::String (button) + "Button");
        EXPECT_EQ (image (base + "Normal").getPixelAt (10, 17).getARGB(), 0xffffffffu) << button;
        EXPECT_EQ (image (base + "Over").getPixelAt (10, 17).getARGB(), lightGrey.getARGB()) << button;
        EXPECT_GT (shareOfColour (image (base + "Normal"), brandBlue, 20), 0.02) << button;
    }
}

TEST (AssetImages, ArrowsAreOutlinedOrFilledTriangles)
{
    for (const auto* direction : { "left", "right" })
    {
        const juce::String base (juce::String (direction) + "Arrow");
        const auto centre = juce::Point<int> (juce::String (direction) == "left" ? 10 : 6, 13);

        // Normal is an outline: its middle is empty; over and down are filled.
        EXPECT_LT (image (base + "Normal").getPixelAt (centre.x, centre.y).getAlpha(), 10) << direction;
        EXPECT_EQ (image (base + "Over").getPixelAt (centre.x, centre.y).getARGB(), lightGrey.getARGB()) << direction;
        EXPECT_EQ (image (base + "Down").getPixelAt (centre.x, centre.y).getARGB(), 0xffffffffu) << direction;
        EXPECT_GT (shareOfColour (image (base + "Normal"), juce::Colours::white, 40), 0.05) << direction;

        // The corners stay transparent so the blue band shows around the arrow.
        EXPECT_EQ (image (base + "Down").getPixelAt (0, 0).getAlpha(), 0) << direction;
    }
}

TEST (AssetImages, WindowBackgroundBandsSitOnTheirRows)
{
    const auto bg = image ("editorBackground");

    // Sampled at the right edge, away from the header logo.
    for (const int x : { 600, 1199 })
    {
        for (int y = 0; y <= 40; ++y)
            EXPECT_EQ (bg.getPixelAt (x, y).getARGB(), 0xffffffffu) << "header row " << y;

        for (const int y : { 41, 42 })
            EXPECT_TRUE (isBrandBlue (bg.getPixelAt (x, y))) << "line row " << y;

        for (int y = 43; y <= 447; ++y)
        {
            const auto c = bg.getPixelAt (x, y);
            EXPECT_TRUE (c.getBrightness() > 0.8f && c.getBrightness() < 0.97f && c.getSaturation() < 0.05f)
                << "grey row " << y << " " << c.toDisplayString (true);
        }

        for (int y = 448; y < 700; ++y)
            EXPECT_TRUE (isBrandBlue (bg.getPixelAt (x, y))) << "blue row " << y;
    }

    // The grey area is textured, not flat.
    juce::SortedSet<juce::uint32> greys;
    for (int x = 0; x < 40; ++x)
        greys.add (bg.getPixelAt (x, 200).getARGB());
    EXPECT_GT (greys.size(), 1);
}

TEST (AssetImages, DialogBackgroundsLeaveTheirTextBandsCalm)
{
    // The About dialog writes its version and notices in black over these bands.
    const auto about = image ("aboutBackground");
    // Inside the hairline border.
    for (const auto& band : { juce::Rectangle<int> (1, 133, 482, 15), juce::Rectangle<int> (1, 211, 482, 31) })
        for (int y = band.getY(); y < band.getBottom(); ++y)
            for (int x = band.getX(); x < band.getRight(); x += 3)
                ASSERT_GT (about.getPixelAt (x, y).getBrightness(), 0.8f) << x << "," << y;

    // Device Setup: a blue title bar, light ground under the captions, and a frame dark enough for white rows.
    const auto setup = image ("deviceSetupBackground");
    EXPECT_TRUE (isBrandBlue (setup.getPixelAt (5, 5)));
    EXPECT_GT (setup.getPixelAt (30, 52).getBrightness(), 0.8f);
    EXPECT_GT (setup.getPixelAt (30, 222).getBrightness(), 0.8f);

    const auto panel = image ("deviceSetupPanel");
    EXPECT_LT (panel.getPixelAt (163, 70).getPerceivedBrightness(), 0.7f);
    EXPECT_GT (panel.getPixelAt (163, 70).getSaturation(), 0.5f);
}
