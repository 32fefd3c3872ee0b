#include "ControlMessages.h"

#include "preset/PresetValues.h"

using namespace PresetLayout;

namespace ControlMessages
{
namespace
{
template <typename ParameterEnum>
int channelOf (const ControlId& control, const juce::Array<juce::uint8>& image, ParameterEnum midiChannel)
{
    return readParameter (control, image, midiChannel) + 1;
}

std::vector<Address> knob (const ControlId& control, const juce::Array<juce::uint8>& image)
{
    using P = KnobParameter;
    const auto channel = channelOf (control, image, P::midiChannel);
    const auto mode = PresetValues::getModeName (control, image);

    if (mode == "CC")
        return { { Kind::controller, channel, readParameter (control, image, P::cc) } };

    if (mode == "Aftertouch")
        return { { Kind::channelPressure, channel } };

    return {};
}

// Pads and switches share these Modes.
template <typename P>
std::vector<Address> button (const ControlId& control, const juce::Array<juce::uint8>& image, const juce::String& mode)
{
    const auto channel = channelOf (control, image, P::midiChannel);

    if (mode == "CC Toggle" || mode == "CC Momentary")
        return { { Kind::controller, channel, readParameter (control, image, P::cc) } };

    if (mode == "Program Change")
        return { { Kind::controller, channel, bankMsbController },
                 { Kind::controller, channel, bankLsbController },
                 { Kind::programChange, channel, readParameter (control, image, P::program) } };

    return {};
}

std::vector<Address> pad (const ControlId& control, const juce::Array<juce::uint8>& image)
{
    using P = PadParameter;
    const auto mode = PresetValues::getModeName (control, image);

    if (mode == "Note")
        return { { Kind::note, channelOf (control, image, P::midiChannel), readParameter (control, image, P::note) } };

    return button<P> (control, image, mode);
}

std::vector<Address> keybed (const ControlId& control, const juce::Array<juce::uint8>& image)
{
    const auto channel = channelOf (control, image, KeybedParameter::midiChannel);
    const auto notes = getKeybedNotes (image);
    std::vector<Address> addresses;

    for (auto note = juce::jmax (0, notes.lowest); note <= juce::jmin (NoteNames::highestNote, notes.highest); ++note)
        addresses.push_back ({ Kind::note, channel, note });

    return addresses;
}
} // namespace

std::optional<Address> getAddress (const juce::MidiMessage& message)
{
    const auto channel = message.getChannel();

    if (message.isNoteOnOrOff())
        return Address { Kind::note, channel, message.getNoteNumber() };

    if (message.isController())
        return Address { Kind::controller, channel, message.getControllerNumber() };

    if (message.isProgramChange())
        return Address { Kind::programChange, channel, message.getProgramChangeNumber() };

    if (message.isChannelPressure())
        return Address { Kind::channelPressure, channel };

    if (message.isPitchWheel())
        return Address { Kind::pitchBend, channel };

    return std::nullopt;
}

std::vector<Address> getAddresses (const ControlId& control, const juce::Array<juce::uint8>& image)
{
    jassert (image.size() == presetImageSize);

    switch (control.kind)
    {
        case ControlKind::Keybed: return keybed (control, image);
        case ControlKind::PitchWheel: return { { Kind::pitchBend, channelOf (control, image, PitchWheelParameter::midiChannel) } };
        case ControlKind::ModWheel: return { { Kind::controller, channelOf (control, image, ModWheelParameter::midiChannel),
                                               readParameter (control, image, ModWheelParameter::cc) } };
        case ControlKind::Sustain: return { { Kind::controller, channelOf (control, image, SustainParameter::midiChannel),
                                              readParameter (control, image, SustainParameter::cc) } };
        case ControlKind::Knob: return knob (control, image);
        case ControlKind::Pad: return pad (control, image);
        case ControlKind::Switch: return button<SwitchParameter> (control, image, PresetValues::getModeName (control, image));
    }

    return {};
}

std::vector<ControlId> findSenders (const juce::Array<juce::uint8>& image, const juce::MidiMessage& message)
{
    const auto address = getAddress (message);
    std::vector<ControlId> senders;

    if (! address.has_value() || image.size() != presetImageSize)
        return senders;

    for (const auto& control : getAllControls())
    {
        const auto addresses = getAddresses (control, image);

        if (std::find (addresses.begin(), addresses.end(), *address) != addresses.end())
            senders.push_back (control);
    }

    return senders;
}

NoteNames::KeyRange getKeybedNotes (const juce::Array<juce::uint8>& image)
{
    const ControlId keybedControl { ControlKind::Keybed, 1 };
    const auto octave = readParameter (keybedControl, image, KeybedParameter::octave);
    const auto transpose = readParameter (keybedControl, image, KeybedParameter::transpose)
                         + keybedControl.getParameter ((int) KeybedParameter::transpose).getInfo().displayOffset;
    return NoteNames::getKeybedRange (octave, transpose);
}
} // namespace ControlMessages
