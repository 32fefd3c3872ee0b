#pragma once

/** The parts of the controller picture that the editor's hotspot buttons cover, in the
    picture's pixels, in the order the editor creates the buttons.

    This table is the one place these rectangles are written: the artwork generator
    (assets/src/generate.py) reads it too and draws each hotspot's images over exactly
    its rectangle, so a button always shows the part of the picture it sits on. After
    changing it, run assets/src/render.sh to draw the art again.
*/
namespace HotspotAreas
{
struct Area
{
    const char* name; // the images are "<name>PictureNormal", "<name>PictureOver" and "<name>PictureDown"
    int x, y, width, height;
};

inline constexpr Area areas[] {
    { "knobs", 79, 24, 216, 32 },
    { "switches", 200, 80, 107, 68 },
    { "pads", 25, 220, 296, 148 },
    { "keybed", 338, 78, 771, 321 },
    { "octave", 200, 155, 107, 30 },
    { "wheels", 40, 85, 112, 97 },
};
} // namespace HotspotAreas
