#include "MidiMonitorFormat.h"
#include "MidiInputAssembler.h"

#include "preset/PresetFraming.h"
#include "preset/PresetValidator.h"

namespace MidiMonitorFormat
{
namespace
{
constexpr int sysExHeaderBytes = 1 + PresetLayout::sysExHeaderSize;

juce::String hexBytes (const juce::uint8* data, int size)
{
    return juce::String::toHexString (data, size).toUpperCase();
}

juce::String describePresetMessage (const juce::uint8* body, int size, MidiDirection direction)
{
    using namespace PresetLayout;

    if (PresetFraming::startsWithHeader (body, size, presetRequestCommand))
        return "preset request";

    if (PresetFraming::startsWithHeader (body, size, presetDumpCommand))
        return direction == MidiDirection::out ? "preset sent" : "preset dump";

    if (const auto image = PresetFraming::findPayload (body, size, presetReplyCommand))
    {
        if (const auto refusal = findReplyRefusal (*image))
            return "preset reply refused: " + *refusal;

        return "preset reply, accepted";
    }

    return "SysEx";
}

juce::String describeChannelMessage (const juce::MidiMessage& message)
{
    const auto channel = ", channel " + juce::String (message.getChannel());

    if (message.isNoteOn (true))
        return "Note On " + juce::String (message.getNoteNumber()) + " velocity "
             + juce::String (message.getVelocity()) + channel;

    if (message.isNoteOff (false))
        return "Note Off " + juce::String (message.getNoteNumber()) + " velocity "
             + juce::String (message.getVelocity()) + channel;

    if (message.isController())
        return "CC " + juce::String (message.getControllerNumber()) + " = "
             + juce::String (message.getControllerValue()) + channel;

    if (message.isProgramChange())
        return "Program Change " + juce::String (message.getProgramChangeNumber()) + channel;

    if (message.isPitchWheel())
        return "Pitch Bend " + juce::String (message.getPitchWheelValue() - 8192) + channel;

    if (message.isChannelPressure())
        return "Channel Pressure " + juce::String (message.getChannelPressureValue()) + channel;

    if (message.isAftertouch())
        return "Aftertouch " + juce::String (message.getNoteNumber()) + " = "
             + juce::String (message.getAfterTouchValue()) + channel;

    return message.getDescription();
}
} // namespace

juce::String formatBytes (const juce::MidiMessage& message)
{
    const auto* data = message.getRawData();
    const auto size = message.getRawDataSize();

    if (! message.isSysEx() || size <= wholeSysExBytes)
        return hexBytes (data, size);

    return hexBytes (data, sysExHeaderBytes) + " ... (" + juce::String (size) + " bytes)";
}

std::optional<juce::String> findReplyRefusal (const juce::Array<juce::uint8>& image)
{
    const auto problem = PresetValidator::findProblem (image);

    if (! problem.has_value())
        return std::nullopt;

    if (problem->offset < 0)
        return juce::String (problem->value) + " bytes where a preset has " + juce::String (PresetLayout::presetImageSize);

    return problem->keys.joinIntoString (", ") + " " + juce::String (problem->value) + " out of range";
}

juce::String describe (const juce::MidiMessage& message, MidiDirection direction, const juce::StringArray& controlNames)
{
    if (message.isSysEx())
        return describePresetMessage (message.getSysExData(), message.getSysExDataSize(), direction);

    const auto meaning = describeChannelMessage (message);

    return controlNames.isEmpty() ? meaning : controlNames.joinIntoString (", ") + " " + meaning;
}

juce::String formatLine (const MidiTrafficEntry& entry, const juce::StringArray& controlNames)
{
    const auto time = entry.time.formatted ("%H:%M:%S.") + juce::String (entry.time.getMilliseconds()).paddedLeft ('0', 3);
    const auto direction = entry.direction == MidiDirection::in ? "In " : "Out";

    if (entry.droppedAsTooLong)
        return juce::StringArray { time, direction, entry.port,
                                   hexBytes (entry.message.getRawData(), std::min (entry.message.getRawDataSize(), sysExHeaderBytes)) + " ...",
                                   "SysEx longer than " + juce::String ((int) MidiInputAssembler::maxSysExBytes) + " bytes, dropped" }
            .joinIntoString ("  ");

    return juce::StringArray { time, direction, entry.port, formatBytes (entry.message),
                               describe (entry.message, entry.direction, controlNames) }
        .joinIntoString ("  ");
}
} // namespace MidiMonitorFormat
