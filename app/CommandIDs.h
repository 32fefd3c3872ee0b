#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Every command of the editor, the application's and the documents', in one table.
    All of them are in the category "General".
*/
namespace CommandIDs
{
enum : juce::CommandID
{
    newWindow = 0x200010,
    open = 0x200020,
    closeWindow = 0x200030,
    save = 0x200040,
    saveAs = 0x200050,
    quit = 0x200060,
    getPreset = 0x200070,
    sendPreset = 0x200080,
    compareWithDevice = 0x200088,
    about = 0x200090,
    undo = 0x200210,
    redo = 0x200220,
    copyControlSettings = 0x200230,
    pasteControlSettings = 0x200240,
    pasteToAllKnobs = 0x200250,
    pasteToAllSwitches = 0x200260,
    pasteToAllPads = 0x200270,
    pasteToAllPadsCountingUp = 0x200280,
    deviceSetup = 0x200310,
    followHardwareControls = 0x200320,
    minimize = 0x200410,
    bringAllToFront = 0x200420,
    midiMonitor = 0x200430,
    openUserGuide = 0x200510
};

/** The category every command is listed under. */
inline const char* const category = "General";

/** Describes an always active command with its short name and, unless `key` is 0,
    the default key press Command (Ctrl) plus that letter.
*/
inline void describe (juce::ApplicationCommandInfo& info, const char* shortName, juce::juce_wchar key = 0)
{
    info.setInfo (shortName, {}, category, 0);

    if (key != 0)
        info.addDefaultKeypress ((int) key, juce::ModifierKeys::commandModifier);

    info.setActive (true);
}
}
