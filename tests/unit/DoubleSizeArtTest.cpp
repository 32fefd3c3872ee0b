#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "assets/AssetImages.h"
#include "views/AssetImageButton.h"
#include "views/AssetImageComponent.h"
#include "BinaryData.h"
#include "BinaryData2x.h"

namespace
{
juce::String catalogueNameOf (int resourceIndex)
{
    return juce::String (BinaryData::originalFilenames[resourceIndex]).upToLastOccurrenceOf (".png", false, false);
}

/** Largest difference, in any channel, between two images of one size. */
int largestDifference (const juce::Image& a, const juce::Image& b)
{
    int largest = 0;

    for (int y = 0; y < a.getHeight(); ++y)
    {
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto pa = a.getPixelAt (x, y);
            const auto pb = b.getPixelAt (x, y);
            largest = std::max ({ largest, std::abs (pa.getRed() - pb.getRed()), std::abs (pa.getGreen() - pb.getGreen()),
                                  std::abs (pa.getBlue() - pb.getBlue()), std::abs (pa.getAlpha() - pb.getAlpha()) });
        }
    }

    return largest;
}

/** Mean channel difference between `single` and `doubled` brought down to its size, both
    laid over white so that the colour of fully transparent pixels does not count.
*/
double meanDifferenceFromHalved (const juce::Image& single, const juce::Image& doubled)
{
    const auto halved = doubled.rescaled (single.getWidth(), single.getHeight(), juce::Graphics::highResamplingQuality);
    const auto onWhite = [] (juce::Colour c) { return juce::Colours::white.overlaidWith (c); };
    double sum = 0.0;

    for (int y = 0; y < single.getHeight(); ++y)
    {
        for (int x = 0; x < single.getWidth(); ++x)
        {
            const auto a = onWhite (single.getPixelAt (x, y));
            const auto b = onWhite (halved.getPixelAt (x, y));
            sum += std::abs (a.getRed() - b.getRed()) + std::abs (a.getGreen() - b.getGreen())
                 + std::abs (a.getBlue() - b.getBlue());
        }
    }

    return sum / (3.0 * single.getWidth() * single.getHeight());
}

juce::Image snapshot (juce::Component& component, float scale)
{
    return component.createComponentSnapshot (component.getLocalBounds(), true, scale);
}
}

TEST (DoubleSizeArt, EveryImageHasATwiceAsLargeRenderingOfTheSamePicture)
{
    ASSERT_EQ (BinaryData::namedResourceListSize, 58);
    EXPECT_EQ (BinaryData2x::namedResourceListSize, 58);

    for (int i = 0; i < BinaryData::namedResourceListSize; ++i)
    {
        const auto name = catalogueNameOf (i);
        const auto single = AssetImages::get (name.toRawUTF8());
        const auto doubled = AssetImages::getDoubleSize (name.toRawUTF8());
        ASSERT_TRUE (doubled.isValid()) << name;
        EXPECT_EQ (doubled.getWidth(), 2 * single.getWidth()) << name;
        EXPECT_EQ (doubled.getHeight(), 2 * single.getHeight()) << name;
        // Same look: halved again, it is the single-size picture up to edge smoothing.
        EXPECT_LT (meanDifferenceFromHalved (single, doubled), 2.0) << name;
    }

    EXPECT_FALSE (AssetImages::getDoubleSize ("noSuchImage").isValid());
}

TEST (DoubleSizeArt, OnlyDenseScreensAndTheEditorsOwnImagesGetTheDoubleSize)
{
    const auto tab = AssetImages::get ("knobsTabDown");
    EXPECT_EQ (AssetImages::forPixelScale (tab, 1.0f), tab);
    EXPECT_EQ (AssetImages::forPixelScale (tab, 0.75f), tab);
    EXPECT_EQ (AssetImages::forPixelScale (tab, 2.0f).getWidth(), 340);
    EXPECT_EQ (AssetImages::forPixelScale (tab, 1.25f).getHeight(), 80);

    juce::Image foreign (juce::Image::RGB, 170, 40, true);
    EXPECT_EQ (AssetImages::forPixelScale (foreign, 2.0f), foreign);
    EXPECT_FALSE (AssetImages::forPixelScale ({}, 2.0f).isValid());
}

TEST (DoubleSizeArt, ButtonsAndPicturesDrawTheDoubleSizePixelsAtTwoPixelsPerUnit)
{
    AssetImageButton button;
    button.setImages (true, true, true,
                      AssetImages::get ("padsTabNormal"), 1.0f, juce::Colours::transparentBlack,
                      AssetImages::get ("padsTabOver"), 1.0f, juce::Colours::transparentBlack,
                      AssetImages::get ("padsTabDown"), 1.0f, juce::Colours::transparentBlack);
    ASSERT_EQ (button.getBounds(), juce::Rectangle<int> (0, 0, 170, 40));

    const auto doubled = AssetImages::getDoubleSize ("padsTabNormal");
    const auto sharp = snapshot (button, 2.0f);
    ASSERT_EQ (sharp.getBounds(), doubled.getBounds());
    EXPECT_EQ (largestDifference (sharp, doubled), 0);
    // The check can tell: the single-size picture blown up is not the double-size one.
    const auto blownUp = AssetImages::get ("padsTabNormal").rescaled (340, 80, juce::Graphics::lowResamplingQuality);
    EXPECT_GT (largestDifference (blownUp, doubled), 40);
    EXPECT_EQ (largestDifference (snapshot (button, 1.0f), AssetImages::get ("padsTabNormal")), 0);

    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (largestDifference (snapshot (button, 2.0f), AssetImages::getDoubleSize ("padsTabDown")), 0);

    AssetImageComponent picture;
    picture.setImage (AssetImages::get ("wheelsPictureOver"));
    picture.setSize (112, 97);
    EXPECT_EQ (largestDifference (snapshot (picture, 2.0f), AssetImages::getDoubleSize ("wheelsPictureOver")), 0);
    EXPECT_EQ (largestDifference (snapshot (picture, 1.0f), AssetImages::get ("wheelsPictureOver")), 0);
}
