#pragma once

#include "preset/PresetLayout.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <functional>
#include <map>
#include <optional>
#include <variant>

/**
    Plays the Q7X's controls as a musician would, for the simulated Q7X: what a touch of a
    control sends under a preset, from plays written as text, one per line:

        Knob 3=64        a knob or the Mod Wheel turned to a position 0-127, sent scaled
                         into its Min..Max (as channel pressure in Mode "Aftertouch")
        Pitch Wheel=8192 the pitch wheel moved to a 14-bit position, 8192 its centre
        Keybed=1         a key (1-25, the lowest 1) struck and let go, at velocity 100
        Pad 5            a pad hit: note on and off at velocity 100 (Pad 5=90: 90; a Fixed
                         velocity wins), CC Pressed then Released, the next Toggle value,
                         or bank select MSB, LSB and the program
        Switch 2         the same for a switch; Sustain the pedal pressed and released
        pause 250        250 ms without a message

    Empty lines and lines starting with "#" are skipped. A player remembers which toggles
    it has switched on.
*/
class ControlPlayer
{
public:
    /** One line of a play script: a control touched, or a pause. */
    struct Step
    {
        std::optional<PresetLayout::ControlId> control; /**< nothing for a pause */
        std::optional<int> value;                       /**< the position, key or velocity given */
        int pauseMs = 0;
    };

    /** The steps of a script, or why a line was refused ("line 2: unknown control ..."). */
    static std::variant<std::vector<Step>, juce::String> parse (const juce::String& script);

    /** What the step's control sends under the preset image, in order; nothing for a pause. */
    std::vector<juce::MidiMessage> play (const Step& step, const juce::Array<juce::uint8>& image);

    /** Plays the steps in turn, each under the preset `getPreset` gives at that moment, and
        waits out the pauses on the calling thread.
    */
    void perform (const std::vector<Step>& steps, const std::function<juce::Array<juce::uint8>()>& getPreset,
                  const std::function<void (const juce::MidiMessage&)>& send);

private:
    std::map<int, bool> toggledOn; // by the control's offset in the image
};
