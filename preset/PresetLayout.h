#pragma once

#include <juce_core/juce_core.h>
#include <array>
#include <map>
#include <optional>
#include <vector>

/**
    Where every value of a Q7X preset lives in the 93-byte preset image, what it is
    called, which raw values it takes, and the built-in default preset.

    The tables in PresetLayout.cpp are the one place these facts are written down;
    keys, offsets, ranges, the reference data of the panels and the default dump all
    derive from them.
*/
namespace PresetLayout
{
/** The seven kinds of control, in the order their blocks lie in the preset image. */
enum class ControlKind
{
    Keybed,
    PitchWheel,
    ModWheel,
    Sustain,
    Knob,
    Pad,
    Switch
};

constexpr int numControlKinds = 7;

// clang-format off
/** Parameter indices of each kind; the index order is shared with the panels' rows. */
enum class KeybedParameter     { midiChannel, transpose, octave, curve };
enum class PitchWheelParameter { midiChannel };
enum class ModWheelParameter   { midiChannel, cc, min, max };
enum class SustainParameter    { cc, pressed, released, midiChannel };
enum class KnobParameter       { mode, midiChannel, cc, min, max };
enum class PadParameter        { mode, midiChannel, note, cc, bankMsb, curve, pressed, toggleOn,
                                 bankLsb, fixed, released, toggleOff, program };
enum class SwitchParameter     { mode, midiChannel, cc, pressed, released, toggleOn, toggleOff,
                                 bankMsb, bankLsb, program };
// clang-format on

/** One parameter of a control kind. */
struct ParameterInfo
{
    const char* name;   /**< the parameter name, second half of its key */
    int relativeOffset; /**< byte within the control's block */
    int rawMinimum;
    int rawMaximum;
    int displayOffset;        /**< shown value minus raw value */
    int rawDefault;           /**< the value a freshly built panel starts with */
    bool isMode;              /**< edited as a Mode list rather than a number */
    juce::uint32 usedInModes; /**< bit m set: the parameter means something in mode m (shown in its rows) */
};

/** One control kind: its block size, how many controls it has, its parameters and modes. */
struct ControlKindInfo
{
    ControlKind kind;
    const char* name;
    int bytesPerControl;
    int controlCount;
    std::vector<ParameterInfo> parameters;    /**< in parameter index order */
    std::vector<int> creationOrder;           /**< the order in which panels build their rows */
    juce::StringArray modeNames;              /**< raw Mode value m is modeNames[m]; empty without a Mode */
    std::vector<std::vector<int>> rowsByMode; /**< per mode (one list without a Mode), the parameters
                                                   a panel shows, in display order */

    /** The modes a control of this kind can be in: at least one. */
    int getModeCount() const noexcept { return (int) rowsByMode.size(); }

    /** The bytes all controls of this kind take together. */
    int totalBytes() const noexcept { return bytesPerControl * controlCount; }
};

/** Returns the table row of a kind; an index outside 0-6 throws std::out_of_range. */
const ControlKindInfo& getKindInfo (int kindIndex);
const ControlKindInfo& getKindInfo (ControlKind kind);

/** Offset of the first byte of a kind's block. */
int getBaseOffset (ControlKind kind);

/** Offset of the first byte of control number (1-based) of a kind. */
int getControlOffset (ControlKind kind, int controlNumber);

/** The control's name as used in keys: "Keybed", "Knob 3", "Pad 8". */
juce::String getControlName (ControlKind kind, int controlNumber);

/** Parameter names by index; an index out of range gives an empty string. */
juce::String padParameterName (int index);
juce::String switchParameterName (int index);

/** Sum of the blocks of all kinds. */
constexpr int presetImageSize = 93;

/** A parameter key and the image byte it names. */
struct ParameterOffset
{
    juce::String key;
    int offset = 0;
};

/** The 177 key-to-offset records, in the order the controller is given them. */
juce::Array<ParameterOffset> createParameterOffsets();

/** Where a key points to: the control, the parameter and its byte. */
struct ParameterLocation
{
    ControlKind kind;
    int controlNumber;
    int parameterIndex;
    int offset;

    const ParameterInfo& getInfo() const;

    /** The parameter's key: "Pad 3 Curve". */
    juce::String getKey() const;

    /** The byte holding the Mode of this parameter's control, or -1 for a kind without modes. */
    int getModeOffset() const;

    /** True when the parameter takes part in the control's behaviour in the given mode. */
    bool isUsedInMode (int mode) const;
};

/** Finds the control and parameter a key names (case-sensitive, exact). */
std::optional<ParameterLocation> findParameter (const juce::String& key);

/** One control of a preset: a kind and a 1-based number. */
struct ControlId
{
    ControlKind kind;
    int number;

    const ControlKindInfo& getInfo() const { return getKindInfo (kind); }
    juce::String getName() const { return getControlName (kind, number); }
    int getOffset() const { return getControlOffset (kind, number); }

    /** Where one of the control's parameters lives, by parameter index. */
    ParameterLocation getParameter (int parameterIndex) const;
};

/** The 22 controls, in image order. */
const std::vector<ControlId>& getAllControls();

/** Every parameter naming a byte, in key creation order; empty outside the image. */
const std::vector<ParameterLocation>& getParametersAt (int offset);

//==============================================================================
/** Command bytes of the preset messages. */
constexpr juce::uint8 presetDumpCommand = 0x61;
constexpr juce::uint8 presetRequestCommand = 0x62;
constexpr juce::uint8 presetReplyCommand = 0x63;

constexpr int sysExHeaderSize = 8;
constexpr int presetDumpSize = 1 + sysExHeaderSize + presetImageSize + 1;

using SysExHeader = std::array<juce::uint8, sysExHeaderSize>;

/** The 8 bytes after F0 that start every preset message. */
constexpr SysExHeader makeSysExHeader (juce::uint8 command)
{
    return { 0x00, 0x00, 0x0e, 0x00, 0x41, command,
             (juce::uint8) ((presetImageSize >> 7) & 0x7f), (juce::uint8) (presetImageSize & 0x7f) };
}

/** The built-in default preset as a complete dump (and preset file): F0, header, image, F7. */
extern const std::array<juce::uint8, presetDumpSize> defaultPresetDump;

/** The 93 image bytes of the default preset. */
juce::Array<juce::uint8> getDefaultPresetImage();
} // namespace PresetLayout
