#pragma once

#include "preset/NoteNames.h"
#include "preset/PresetLayout.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <optional>
#include <vector>

/**
    What the Q7X's controls send under a preset, told apart as a receiver tells channel
    messages apart: by kind, channel and number (a note, a controller or a program), never
    by value. From a message received, it finds the controls that would have sent it.

    A Knob sends its CC (Mode "CC") or channel pressure ("Aftertouch"); a Pad its note
    ("Note"), its CC ("CC Toggle", "CC Momentary") or bank select (CC 0 and 32) and a
    program change ("Program Change"); a Switch likewise without the note; the Mod Wheel
    and the Sustain input their CC; the Pitch Wheel pitch bend; the Keybed the notes of
    its 25 keys. Each on its own MIDI Channel.
*/
namespace ControlMessages
{
enum class Kind
{
    note, /**< note on and note off alike */
    controller,
    programChange,
    channelPressure,
    pitchBend
};

/** A channel message without its value. */
struct Address
{
    Kind kind;
    int channel;     /**< 1-16 */
    int number = -1; /**< the note, controller or program; -1 for the kinds without one */

    bool operator== (const Address& other) const noexcept
    {
        return kind == other.kind && channel == other.channel && number == other.number;
    }
};

/** The address of a channel message of the kinds above; nothing for any other message. */
std::optional<Address> getAddress (const juce::MidiMessage& message);

/** Every address the control sends to under the preset image (93 bytes). */
std::vector<Address> getAddresses (const PresetLayout::ControlId& control, const juce::Array<juce::uint8>& image);

/** The controls that would send exactly this message's kind, channel and number under the
    preset image, in image order: none, one, or several that share the address.
*/
std::vector<PresetLayout::ControlId> findSenders (const juce::Array<juce::uint8>& image, const juce::MidiMessage& message);

/** The notes the keybed's lowest and highest keys play under the image's Octave and
    Transpose (NoteNames::getKeybedRange). A key outside 0-127 sends nothing.
*/
NoteNames::KeyRange getKeybedNotes (const juce::Array<juce::uint8>& image);

/** Bank select's controllers, which a Program Change sends before the program. */
constexpr int bankMsbController = 0;
constexpr int bankLsbController = 32;

/** The raw byte of one of the control's parameters. */
template <typename ParameterEnum>
int readParameter (const PresetLayout::ControlId& control, const juce::Array<juce::uint8>& image, ParameterEnum parameter)
{
    return image[control.getParameter ((int) parameter).offset];
}
} // namespace ControlMessages
