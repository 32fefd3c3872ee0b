#include "AssetFonts.h"
#include "FontData.h"

juce::Typeface::Ptr AssetFonts::getCondensedTypeface()
{
    static const auto typeface = juce::Typeface::createSystemTypefaceFor (FontData::RobotoCondensedRegular_ttf,
                                                                          (size_t) FontData::RobotoCondensedRegular_ttfSize);
    return typeface;
}
