#include "PresetLayout.h"

#include <stdexcept>

namespace PresetLayout
{
namespace
{
constexpr juce::uint32 allModes = 0xffffffffu;
constexpr juce::uint32 mode (int m) { return 1u << m; }

// Modes of the pads and switches, as bit positions.
constexpr int padNote = 0, padToggle = 1, padMomentary = 2, padProgram = 3;
constexpr int switchToggle = 0, switchMomentary = 1, switchProgram = 2;
constexpr int knobCC = 0;

ParameterInfo channel (int relativeOffset) { return { "MIDI Channel", relativeOffset, 0, 15, 1, 0, false, allModes }; }
ParameterInfo byte (const char* name, int relativeOffset, juce::uint32 modes = allModes, int rawDefault = 0)
{
    return { name, relativeOffset, 0, 127, 0, rawDefault, false, modes };
}
ParameterInfo modeList (int numModes) { return { "Mode", 0, 0, numModes - 1, 0, 0, true, allModes }; }

std::vector<int> indexOrder (size_t count)
{
    std::vector<int> order (count);
    for (size_t i = 0; i < count; ++i)
        order[i] = (int) i;
    return order;
}

ControlKindInfo makeKind (ControlKind kind, const char* name, int bytes, int count,
                          std::vector<ParameterInfo> parameters, juce::StringArray modeNames = {},
                          std::vector<int> creationOrder = {})
{
    if (creationOrder.empty())
        creationOrder = indexOrder (parameters.size());

    return { kind, name, bytes, count, std::move (parameters), std::move (creationOrder), std::move (modeNames) };
}

const std::vector<ControlKindInfo>& kindTable()
{
    static const std::vector<ControlKindInfo> table
    {
        makeKind (ControlKind::Keybed, "Keybed", 4, 1,
                  { channel (2),
                    { "Transpose", 0, 0, 24, -12, 12, false, allModes },
                    { "Octave", 1, 0, 9, 0, 0, false, allModes },
                    { "Curve", 3, 0, 7, 1, 0, false, allModes } }),

        makeKind (ControlKind::PitchWheel, "Pitch Wheel", 1, 1, { channel (0) }),

        makeKind (ControlKind::ModWheel, "Mod Wheel", 4, 1,
                  { channel (0), byte ("CC", 1), byte ("Min", 2), byte ("Max", 3, allModes, 127) },
                  {}, { 1, 2, 3, 0 }),

        makeKind (ControlKind::Sustain, "Sustain", 4, 1,
                  { byte ("CC", 0), byte ("Pressed", 2, allModes, 127), byte ("Released", 1), channel (3) }),

        makeKind (ControlKind::Knob, "Knob", 5, 4,
                  { modeList (2), channel (4), byte ("CC", 1, mode (knobCC)), byte ("Min", 2),
                    byte ("Max", 3, allModes, 127) },
                  { "CC", "Aftertouch" }),

        makeKind (ControlKind::Pad, "Pad", 5, 8,
                  { modeList (4),
                    channel (4),
                    byte ("Note", 1, mode (padNote)),
                    byte ("CC", 1, mode (padToggle) | mode (padMomentary)),
                    byte ("Bank MSB", 3, mode (padProgram)),
                    { "Curve", 3, 0, 7, 1, 0, false, mode (padNote) },
                    byte ("Pressed", 2, mode (padMomentary), 127),
                    byte ("Toggle On", 2, mode (padToggle), 127),
                    byte ("Bank LSB", 2, mode (padProgram)),
                    byte ("Fixed", 2, mode (padNote)),
                    byte ("Released", 3, mode (padMomentary)),
                    byte ("Toggle Off", 3, mode (padToggle)),
                    byte ("Program", 1, mode (padProgram)) },
                  { "Note", "CC Toggle", "CC Momentary", "Program Change" }),

        makeKind (ControlKind::Switch, "Switch", 5, 4,
                  { modeList (3),
                    channel (4),
                    byte ("CC", 1, mode (switchToggle) | mode (switchMomentary)),
                    byte ("Pressed", 2, mode (switchMomentary), 127),
                    byte ("Released", 3, mode (switchMomentary)),
                    byte ("Toggle On", 2, mode (switchToggle), 127),
                    byte ("Toggle Off", 3, mode (switchToggle)),
                    byte ("Bank MSB", 3, mode (switchProgram)),
                    byte ("Bank LSB", 2, mode (switchProgram)),
                    byte ("Program", 1, mode (switchProgram)) },
                  { "CC Toggle", "CC Momentary", "Program Change" }),
    };

    return table;
}

juce::String parameterName (ControlKind kind, int index)
{
    const auto& parameters = getKindInfo (kind).parameters;
    return juce::isPositiveAndBelow (index, (int) parameters.size()) ? juce::String (parameters[(size_t) index].name)
                                                                     : juce::String();
}

const std::map<juce::String, ParameterLocation>& locationTable()
{
    static const auto table = []
    {
        std::map<juce::String, ParameterLocation> result;

        for (const auto& info : kindTable())
            for (int number = 1; number <= info.controlCount; ++number)
                for (size_t index = 0; index < info.parameters.size(); ++index)
                {
                    auto key = getControlName (info.kind, number) + " " + info.parameters[index].name;
                    result[key] = { info.kind, number, (int) index,
                                    getControlOffset (info.kind, number) + info.parameters[index].relativeOffset };
                }

        return result;
    }();

    return table;
}

// The default preset's image, by offset.
constexpr std::array<juce::uint8, presetImageSize> defaultImage
{
    12, 4, 0, 3,                        // keybed: transpose 0, octave 4, channel 1, curve 4
    0,                                  // pitch wheel
    0, 1, 0, 127,                       // mod wheel
    64, 0, 127, 0,                      // sustain: CC, released, pressed, channel
    0, 20, 0, 127, 0,                   // knobs 1-4
    0, 21, 0, 127, 0,
    0, 22, 0, 127, 0,
    0, 23, 0, 127, 0,
    0, 49, 0, 0, 9,                     // pads 1-8, all in Note mode on channel 10
    0, 41, 0, 0, 9,
    0, 42, 0, 0, 9,
    0, 46, 0, 0, 9,
    0, 36, 0, 0, 9,
    0, 37, 0, 0, 9,
    0, 38, 0, 0, 9,
    0, 39, 0, 0, 9,
    0, 48, 127, 0, 0,                   // switches 1-4 in CC Toggle mode
    0, 49, 127, 0, 0,
    0, 50, 127, 0, 0,
    0, 51, 127, 0, 0,
};

constexpr std::array<juce::uint8, presetDumpSize> makeDefaultDump()
{
    std::array<juce::uint8, presetDumpSize> dump {};
    const auto header = makeSysExHeader (presetDumpCommand);

    dump[0] = 0xf0;
    for (size_t i = 0; i < header.size(); ++i)
        dump[1 + i] = header[i];
    for (size_t i = 0; i < defaultImage.size(); ++i)
        dump[1 + header.size() + i] = defaultImage[i];
    dump[presetDumpSize - 1] = 0xf7;
    return dump;
}
} // namespace

//==============================================================================
const ControlKindInfo& getKindInfo (int kindIndex)
{
    if (! juce::isPositiveAndBelow (kindIndex, numControlKinds))
        throw std::out_of_range ("invalid control kind " + std::to_string (kindIndex));

    return kindTable()[(size_t) kindIndex];
}

const ControlKindInfo& getKindInfo (ControlKind kind)
{
    return getKindInfo ((int) kind);
}

int getBaseOffset (ControlKind kind)
{
    int offset = 0;

    for (int k = 0; k < (int) kind; ++k)
        offset += getKindInfo (k).totalBytes();

    return offset;
}

int getControlOffset (ControlKind kind, int controlNumber)
{
    return getBaseOffset (kind) + getKindInfo (kind).bytesPerControl * (controlNumber - 1);
}

juce::String getControlName (ControlKind kind, int controlNumber)
{
    const auto& info = getKindInfo (kind);
    return info.controlCount > 1 ? juce::String (info.name) + " " + juce::String (controlNumber)
                                 : juce::String (info.name);
}

juce::String padParameterName (int index)    { return parameterName (ControlKind::Pad, index); }
juce::String switchParameterName (int index) { return parameterName (ControlKind::Switch, index); }

juce::Array<ParameterOffset> createParameterOffsets()
{
    juce::Array<ParameterOffset> offsets;

    for (const auto& info : kindTable())
        for (int number = 1; number <= info.controlCount; ++number)
        {
            const auto prefix = getControlName (info.kind, number) + " ";
            const auto blockStart = getControlOffset (info.kind, number);

            for (auto index : info.creationOrder)
            {
                const auto& parameter = info.parameters.at ((size_t) index);
                offsets.add ({ prefix + parameter.name, blockStart + parameter.relativeOffset });
            }
        }

    return offsets;
}

std::optional<ParameterLocation> findParameter (const juce::String& key)
{
    const auto& table = locationTable();
    const auto found = table.find (key);

    if (found == table.end())
        return std::nullopt;

    return found->second;
}

const ParameterInfo& ParameterLocation::getInfo() const
{
    return getKindInfo (kind).parameters.at ((size_t) parameterIndex);
}

int ParameterLocation::getModeOffset() const
{
    return getKindInfo (kind).modeNames.isEmpty() ? -1 : getControlOffset (kind, controlNumber);
}

bool ParameterLocation::isUsedInMode (int modeValue) const
{
    return juce::isPositiveAndBelow (modeValue, 32) && (getInfo().usedInModes & (1u << modeValue)) != 0;
}

const std::array<juce::uint8, presetDumpSize> defaultPresetDump = makeDefaultDump();

juce::Array<juce::uint8> getDefaultPresetImage()
{
    return { defaultPresetDump.data() + 1 + sysExHeaderSize, presetImageSize };
}
} // namespace PresetLayout
