#pragma once

#include "assets/HotspotAreas.h"

#include <juce_graphics/juce_graphics.h>
#include <vector>

/** The editor's images as the tests check them and the asset preview sheet shows them. */
namespace AssetCatalogue
{
struct CatalogueEntry
{
    const char* name;
    int width, height;
};

// The image catalogue: every name the views may ask for, at the size they lay out with.
inline const CatalogueEntry catalogue[] = {
    { "editorBackground", 1200, 700 },
    { "pictureBackground", 1147, 396 },
    { "knobsPictureNormal", 216, 32 },
    { "knobsPictureOver", 216, 32 },
    { "knobsPictureDown", 216, 32 },
    { "switchesPictureNormal", 107, 68 },
    { "switchesPictureOver", 107, 68 },
    { "switchesPictureDown", 107, 68 },
    { "padsPictureNormal", 296, 148 },
    { "padsPictureOver", 296, 148 },
    { "padsPictureDown", 296, 148 },
    { "wheelsPictureNormal", 112, 97 },
    { "wheelsPictureOver", 112, 97 },
    { "wheelsPictureDown", 112, 97 },
    { "octavePictureNormal", 107, 30 },
    { "octavePictureOver", 107, 30 },
    { "octavePictureDown", 107, 30 },
    { "keybedPictureNormal", 771, 321 },
    { "keybedPictureOver", 771, 321 },
    { "keybedPictureDown", 771, 321 },
    { "mainTabNormal", 175, 40 },
    { "mainTabOver", 175, 40 },
    { "mainTabDown", 175, 40 },
    { "knobsTabNormal", 170, 40 },
    { "knobsTabOver", 170, 40 },
    { "knobsTabDown", 170, 40 },
    { "switchesTabNormal", 170, 40 },
    { "switchesTabOver", 170, 40 },
    { "switchesTabDown", 170, 40 },
    { "padsTabNormal", 170, 40 },
    { "padsTabOver", 170, 40 },
    { "padsTabDown", 170, 40 },
    { "keybedTabNormal", 170, 40 },
    { "keybedTabOver", 170, 40 },
    { "keybedTabDown", 170, 40 },
    { "wheelsTabNormal", 170, 40 },
    { "wheelsTabOver", 170, 40 },
    { "wheelsTabDown", 170, 40 },
    { "sustainTabNormal", 175, 40 },
    { "sustainTabOver", 175, 40 },
    { "sustainTabDown", 175, 40 },
    { "getPresetButtonNormal", 249, 35 },
    { "getPresetButtonOver", 249, 35 },
    { "sendPresetButtonNormal", 249, 35 },
    { "sendPresetButtonOver", 249, 35 },
    { "loadPresetButtonNormal", 249, 35 },
    { "loadPresetButtonOver", 249, 35 },
    { "savePresetButtonNormal", 249, 35 },
    { "savePresetButtonOver", 249, 35 },
    { "leftArrowNormal", 17, 26 },
    { "leftArrowOver", 17, 26 },
    { "leftArrowDown", 17, 26 },
    { "rightArrowNormal", 17, 26 },
    { "rightArrowOver", 17, 26 },
    { "rightArrowDown", 17, 26 },
    { "aboutBackground", 484, 267 },
    { "deviceSetupBackground", 360, 425 },
    { "deviceSetupPanel", 327, 141 },
};

struct Hotspot
{
    const char* name;
    juce::Rectangle<int> area; // on the controller picture
};

// The areas the editor places its hotspot buttons on: the art must match what is beneath them there.
inline const auto hotspots = [] {
    std::vector<Hotspot> spots;

    for (const auto& area : HotspotAreas::areas)
        spots.push_back ({ area.name, { area.x, area.y, area.width, area.height } });

    return spots;
}();
} // namespace AssetCatalogue
