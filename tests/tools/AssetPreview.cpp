// Writes a sheet of the editor's images for people to look at: the editor in two situations,
// both dialogs and every embedded image on a checkerboard with its name.
//   asset-preview [OUTPUT.png]      (asset-preview.png in the current folder when not given)
#include "AssetCatalogue.h"
#include "assets/AssetImages.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <iostream>

using namespace AssetCatalogue;

namespace
{
juce::Image image (const juce::String& name)
{
    return AssetImages::get (name.toRawUTF8());
}

/** The editor window as the views will compose it, with some buttons in a given state. */
void drawEditor (juce::Graphics& g, const juce::StringPairArray& stateOf)
{
    auto stateFor = [&stateOf] (const juce::String& base) {
        return stateOf.containsKey (base) ? stateOf[base] : juce::String ("Normal");
    };

    g.fillAll (juce::Colours::white);
    g.drawImage (image ("editorBackground"), 0, 0, 1200, 750, 0, 0, 1200, 700);
    g.drawImageAt (image ("pictureBackground"), 26, 65);

    for (const auto& spot : hotspots)
    {
        const auto area = spot.area.translated (26, 65).getIntersection ({ 26, 65, 1147, 396 });
        g.drawImage (image (juce::String (spot.name) + "Picture" + stateFor (spot.name)),
                     area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                     0, 0, area.getWidth(), area.getHeight());
    }

    int x = 0;
    for (const auto* tab : { "main", "knobs", "switches", "pads", "keybed", "wheels", "sustain" })
    {
        const auto img = image (juce::String (tab) + "Tab" + stateFor (juce::String (tab) + "Tab"));
        g.drawImageAt (img, x, 482);
        x += img.getWidth();
    }

    if (stateFor ("mainTab") == "Down")
    {
        int y = 527;
        for (const auto* button : { "getPreset", "sendPreset", "loadPreset", "savePreset" })
        {
            g.drawImageAt (image (juce::String (button) + "Button" + stateFor (button)), 5, y);
            y += 40;
        }
    }
    else
    {
        g.drawImageAt (image ("leftArrow" + stateFor ("leftArrow")), 10, 600);
        g.drawImageAt (image ("rightArrow" + stateFor ("rightArrow")), 1173, 600);
    }
}

void drawAbout (juce::Graphics& g)
{
    g.drawImageAt (image ("aboutBackground"), 0, 0);
    g.setColour (juce::Colours::black);
    g.setFont (15.0f);
    g.drawText ("Version: 1.0.4", 0, 133, 484, 15, juce::Justification::centred);
    g.drawText ("A first notice line of the About box", 0, 211, 484, 15, juce::Justification::centred);
    g.drawText ("and a second one under it", 0, 227, 484, 15, juce::Justification::centred);
}

void drawDeviceSetup (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    g.drawImage (image ("deviceSetupBackground"), 0, 0, 360, 425, 0, 0, 360, 425);
    g.drawImageAt (image ("deviceSetupPanel"), 15, 60);
    g.drawImageAt (image ("deviceSetupPanel"), 15, 228);
    g.setColour (juce::Colours::black);
    g.setFont (15.0f);
    g.drawText ("INPUT", 25, 44, 41, 18, juce::Justification::centredLeft);
    g.drawText ("OUTPUT", 23, 216, 57, 11, juce::Justification::centredLeft);

    const auto rowHeight = 22;
    const char* rows[] = { "Q7X MIDI 1", "Midi Through Port-0" };
    for (int i = 0; i < 2; ++i)
    {
        const juce::Rectangle<int> row (15, 69 + i * rowHeight, 327, rowHeight);
        g.setColour (i == 0 ? juce::Colours::white : juce::Colours::transparentWhite);
        g.fillRect (row);
        g.setColour (i == 0 ? juce::Colours::black : juce::Colours::white);
        g.setFont ((float) rowHeight * 0.7f);
        g.drawText (rows[i], row.withTrimmedLeft (5), juce::Justification::centredLeft);
    }

    for (const auto& [label, bounds] : { std::pair<const char*, juce::Rectangle<int>> { "OK", { 16, 381, 72, 32 } },
                                         { "Cancel", { 120, 381, 88, 30 } },
                                         { "Apply", { 248, 381, 88, 30 } } })
    {
        g.setColour (juce::Colour (0xfff5f5f5));
        g.fillRoundedRectangle (bounds.toFloat(), 4.0f);
        g.setColour (juce::Colours::black);
        g.drawRoundedRectangle (bounds.toFloat(), 4.0f, 1.0f);
        g.drawText (label, bounds, juce::Justification::centred);
    }
}

/** Where each catalogue image goes on a sheet of the given width, wrapping into rows;
    each cell has room for the name above the image.
*/
std::vector<juce::Rectangle<int>> catalogueLayout (int width)
{
    std::vector<juce::Rectangle<int>> cells;
    int x = 0, y = 0, rowHeight = 0;

    for (const auto& entry : catalogue)
    {
        const juce::Rectangle<int> cell (juce::jmax (entry.width, 140) + 10, entry.height + 24);

        if (x + cell.getWidth() > width)
        {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }

        cells.push_back (cell.withPosition (x, y));
        x += cell.getWidth();
        rowHeight = juce::jmax (rowHeight, cell.getHeight());
    }

    return cells;
}

/** Every catalogue image on a checkerboard, with its name. */
void drawCatalogue (juce::Graphics& g, const std::vector<juce::Rectangle<int>>& cells)
{
    for (size_t i = 0; i < cells.size(); ++i)
    {
        const auto img = image (catalogue[i].name);
        const auto area = img.getBounds().withPosition (cells[i].getPosition().translated (0, 14));

        g.fillCheckerBoard (area.toFloat(), 8.0f, 8.0f, juce::Colour (0xffbdbdbd), juce::Colour (0xff8d8d8d));
        g.drawImageAt (img, area.getX(), area.getY());
        g.setColour (juce::Colours::black);
        g.setFont (12.0f);
        g.drawText (catalogue[i].name, cells[i].withHeight (14), juce::Justification::centredLeft);
    }
}

juce::Image drawSheet()
{
    const auto cells = catalogueLayout (2420);
    const auto catalogueTop = 1165;
    auto catalogueHeight = 0; // the tallest image of the last row, not the last image, ends the sheet
    for (const auto& cell : cells)
        catalogueHeight = juce::jmax (catalogueHeight, cell.getBottom());

    juce::Image sheet (juce::Image::ARGB, 2420, catalogueTop + catalogueHeight + 10, true);
    {
        juce::Graphics g (sheet);
        g.fillAll (juce::Colour (0xfff0f0f0));

        juce::StringPairArray mainShown;
        mainShown.set ("mainTab", "Down");
        mainShown.set ("knobs", "Over");
        mainShown.set ("knobsTab", "Over");
        mainShown.set ("loadPreset", "Over");

        juce::StringPairArray keybedShown;
        keybedShown.set ("keybedTab", "Down");
        keybedShown.set ("keybed", "Down");
        keybedShown.set ("octave", "Down");
        keybedShown.set ("pads", "Over");
        keybedShown.set ("leftArrow", "Over");
        keybedShown.set ("rightArrow", "Down");

        {
            juce::Graphics::ScopedSaveState state (g);
            g.reduceClipRegion (0, 0, 1200, 700);
            drawEditor (g, mainShown);
        }
        {
            juce::Graphics::ScopedSaveState state (g);
            g.setOrigin (1220, 0);
            g.reduceClipRegion (0, 0, 1200, 700);
            drawEditor (g, keybedShown);
        }
        {
            juce::Graphics::ScopedSaveState state (g);
            g.setOrigin (0, 720);
            drawAbout (g);
        }
        {
            juce::Graphics::ScopedSaveState state (g);
            g.setOrigin (504, 720);
            g.reduceClipRegion (0, 0, 360, 425);
            drawDeviceSetup (g);
        }
        {
            juce::Graphics::ScopedSaveState state (g);
            g.setOrigin (0, catalogueTop);
            drawCatalogue (g, cells);
        }
    }

    return sheet;
}
} // namespace

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;

    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (argc > 1 ? argv[1] : "asset-preview.png");
    file.deleteFile();
    juce::FileOutputStream out (file);
    const bool written = out.openedOk() && juce::PNGImageFormat().writeImageToStream (drawSheet(), out);
    out.flush();

    if (! written || out.getStatus().failed())
    {
        std::cerr << "asset-preview: cannot write " << file.getFullPathName() << "\n";
        return 1;
    }

    std::cout << file.getFullPathName() << "\n";
    return 0;
}
