#include "PresetLayout.h"

#include <stdexcept>

namespace PresetLayout
{
namespace
{
ParameterInfo channel (int relativeOffset) { return { "MIDI Channel", relativeOffset, 0, 15, 1, 0, false, 0 }; }
ParameterInfo byte (const char* name, int relativeOffset, int rawDefault = 0)
{
    return { name, relativeOffset, 0, 127, 0, rawDefault, false, 0 };
}
ParameterInfo modeList (int numModes) { return { "Mode", 0, 0, numModes - 1, 0, 0, true, 0 }; }

template <typename ParameterEnum>
constexpr int row (ParameterEnum parameter) noexcept
{
    return static_cast<int> (parameter);
}

std::vector<int> indexOrder (size_t count)
{
    std::vector<int> order (count);
    for (size_t i = 0; i < count; ++i)
        order[i] = (int) i;
    return order;
}

// Which modes use a parameter follows from the rows a panel shows in each mode, written once here.
ControlKindInfo makeKind (ControlKind kind, const char* name, int bytes, int count,
                          std::vector<ParameterInfo> parameters, std::vector<std::vector<int>> rowsByMode,
                          juce::StringArray modeNames = {}, std::vector<int> creationOrder = {})
{
    if (creationOrder.empty())
        creationOrder = indexOrder (parameters.size());

    if (rowsByMode.size() != (size_t) juce::jmax (1, modeNames.size()))
        throw std::logic_error ("shown rows must be given for every mode of " + std::string (name));

    for (size_t mode = 0; mode < rowsByMode.size(); ++mode)
        for (auto index : rowsByMode[mode])
            parameters.at ((size_t) index).usedInModes |= 1u << mode;

    return { kind, name, bytes, count, std::move (parameters), std::move (creationOrder),
             std::move (modeNames), std::move (rowsByMode) };
}

const std::vector<ControlKindInfo>& kindTable()
{
    using K = KeybedParameter;
    using M = ModWheelParameter;
    using S = SustainParameter;
    using N = KnobParameter;
    using P = PadParameter;
    using W = SwitchParameter;

    static const std::vector<ControlKindInfo> table {
        makeKind (ControlKind::Keybed, "Keybed", 4, 1,
                  { channel (2),
                    { "Transpose", 0, 0, 24, -12, 12, false, 0 },
                    { "Octave", 1, 0, 9, 0, 0, false, 0 },
                    { "Curve", 3, 0, 7, 1, 0, false, 0 } },
                  { { row (K::midiChannel), row (K::transpose), row (K::octave), row (K::curve) } }),

        makeKind (ControlKind::PitchWheel, "Pitch Wheel", 1, 1, { channel (0) },
                  { { row (PitchWheelParameter::midiChannel) } }),

        makeKind (ControlKind::ModWheel, "Mod Wheel", 4, 1,
                  { channel (0), byte ("CC", 1), byte ("Min", 2), byte ("Max", 3, 127) },
                  { { row (M::midiChannel), row (M::cc), row (M::min), row (M::max) } },
                  {}, { 1, 2, 3, 0 }),

        makeKind (ControlKind::Sustain, "Sustain", 4, 1,
                  { byte ("CC", 0), byte ("Pressed", 2, 127), byte ("Released", 1), channel (3) },
                  { { row (S::midiChannel), row (S::cc), row (S::pressed), row (S::released) } }),

        makeKind (ControlKind::Knob, "Knob", 5, 4,
                  { modeList (2), channel (4), byte ("CC", 1), byte ("Min", 2), byte ("Max", 3, 127) },
                  { { row (N::mode), row (N::midiChannel), row (N::cc), row (N::min), row (N::max) }, // CC
                    { row (N::mode), row (N::midiChannel), row (N::min), row (N::max) } },            // Aftertouch
                  { "CC", "Aftertouch" }),

        makeKind (ControlKind::Pad, "Pad", 5, 8,
                  { modeList (4),
                    channel (4),
                    byte ("Note", 1),
                    byte ("CC", 1),
                    byte ("Bank MSB", 3),
                    { "Curve", 3, 0, 7, 1, 0, false, 0 },
                    byte ("Pressed", 2, 127),
                    byte ("Toggle On", 2, 127),
                    byte ("Bank LSB", 2),
                    byte ("Fixed", 2),
                    byte ("Released", 3),
                    byte ("Toggle Off", 3),
                    byte ("Program", 1) },
                  { { row (P::mode), row (P::midiChannel), row (P::note), row (P::fixed), row (P::curve) },          // Note
                    { row (P::mode), row (P::midiChannel), row (P::cc), row (P::toggleOn), row (P::toggleOff) },     // CC Toggle
                    { row (P::mode), row (P::midiChannel), row (P::cc), row (P::pressed), row (P::released) },       // CC Momentary
                    { row (P::mode), row (P::midiChannel), row (P::bankLsb), row (P::bankMsb), row (P::program) } }, // Program Change
                  { "Note", "CC Toggle", "CC Momentary", "Program Change" }),

        makeKind (ControlKind::Switch, "Switch", 5, 4,
                  { modeList (3),
                    channel (4),
                    byte ("CC", 1),
                    byte ("Pressed", 2, 127),
                    byte ("Released", 3),
                    byte ("Toggle On", 2, 127),
                    byte ("Toggle Off", 3),
                    byte ("Bank MSB", 3),
                    byte ("Bank LSB", 2),
                    byte ("Program", 1) },
                  { { row (W::mode), row (W::midiChannel), row (W::cc), row (W::toggleOn), row (W::toggleOff) },     // CC Toggle
                    { row (W::mode), row (W::midiChannel), row (W::cc), row (W::pressed), row (W::released) },       // CC Momentary
                    { row (W::mode), row (W::midiChannel), row (W::bankLsb), row (W::bankMsb), row (W::program) } }, // Program Change
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
    static const auto table = [] {
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

// clang-format off
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
// clang-format on

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

juce::String padParameterName (int index) { return parameterName (ControlKind::Pad, index); }
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

juce::String ParameterLocation::getKey() const
{
    return getControlName (kind, controlNumber) + " " + getInfo().name;
}

int ParameterLocation::getModeOffset() const
{
    return getKindInfo (kind).modeNames.isEmpty() ? -1 : getControlOffset (kind, controlNumber);
}

bool ParameterLocation::isUsedInMode (int modeValue) const
{
    return juce::isPositiveAndBelow (modeValue, 32) && (getInfo().usedInModes & (1u << modeValue)) != 0;
}

ParameterLocation ControlId::getParameter (int parameterIndex) const
{
    const auto& parameter = getInfo().parameters.at ((size_t) parameterIndex);
    return { kind, number, parameterIndex, getOffset() + parameter.relativeOffset };
}

const std::vector<ControlId>& getAllControls()
{
    static const auto controls = [] {
        std::vector<ControlId> result;

        for (const auto& info : kindTable())
            for (int number = 1; number <= info.controlCount; ++number)
                result.push_back ({ info.kind, number });

        return result;
    }();

    return controls;
}

const std::vector<ParameterLocation>& getParametersAt (int offset)
{
    static const auto byOffset = [] {
        std::vector<std::vector<ParameterLocation>> result ((size_t) presetImageSize);

        for (const auto& record : createParameterOffsets())
            result.at ((size_t) record.offset).push_back (*findParameter (record.key));

        return result;
    }();

    static const std::vector<ParameterLocation> none;
    return juce::isPositiveAndBelow (offset, presetImageSize) ? byOffset[(size_t) offset] : none;
}

const std::array<juce::uint8, presetDumpSize> defaultPresetDump = makeDefaultDump();

juce::Array<juce::uint8> getDefaultPresetImage()
{
    return { defaultPresetDump.data() + 1 + sysExHeaderSize, presetImageSize };
}
} // namespace PresetLayout
