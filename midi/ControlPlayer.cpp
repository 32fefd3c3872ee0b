#include "ControlPlayer.h"

#include "ControlMessages.h"
#include "preset/PresetValues.h"

using namespace PresetLayout;

namespace
{
// The value a play of each kind takes: what it means, its range, and what it is without one.
struct ValueRule
{
    const char* meaning;
    int minimum, maximum;
    std::optional<int> fallback; // nothing: the value must be given
};

std::optional<ValueRule> getValueRule (ControlKind kind)
{
    switch (kind)
    {
        case ControlKind::Keybed: return ValueRule { "a key", 1, NoteNames::keysOnKeybed, std::nullopt };
        case ControlKind::PitchWheel: return ValueRule { "a position", 0, 16383, std::nullopt };
        case ControlKind::ModWheel:
        case ControlKind::Knob: return ValueRule { "a position", 0, 127, std::nullopt };
        case ControlKind::Pad: return ValueRule { "a velocity", 1, 127, 100 };
        case ControlKind::Sustain:
        case ControlKind::Switch: return std::nullopt;
    }

    return std::nullopt;
}

constexpr int longestPauseMs = 60000;
constexpr juce::uint8 keyVelocity = 100;

std::optional<int> parseWhole (const juce::String& text, int maximum)
{
    if (text.isEmpty() || ! text.containsOnly ("0123456789") || text.length() > 6 || text.getIntValue() > maximum)
        return std::nullopt;

    return text.getIntValue();
}

std::optional<ControlId> findControl (const juce::String& name)
{
    for (const auto& control : getAllControls())
        if (control.getName() == name)
            return control;

    return std::nullopt;
}

std::variant<ControlPlayer::Step, juce::String> parseLine (const juce::String& line)
{
    if (line.startsWith ("pause "))
    {
        if (const auto ms = parseWhole (line.fromFirstOccurrenceOf (" ", false, false).trim(), longestPauseMs))
            return ControlPlayer::Step { std::nullopt, std::nullopt, *ms };

        return "a pause is 0 to " + juce::String (longestPauseMs) + " ms: " + line.quoted();
    }

    const auto name = line.upToFirstOccurrenceOf ("=", false, false).trim();
    const auto control = findControl (name);

    if (! control.has_value())
        return "unknown control " + name.quoted();

    const auto rule = getValueRule (control->kind);
    const auto hasValue = line.containsChar ('=');

    if (! rule.has_value())
    {
        if (hasValue)
            return name + " takes no value";

        return ControlPlayer::Step { control, std::nullopt };
    }

    const auto expected = name + " takes " + rule->meaning + " " + juce::String (rule->minimum) + ".."
                        + juce::String (rule->maximum) + ", as in " + name + "=" + juce::String (rule->maximum);

    if (! hasValue)
    {
        if (! rule->fallback.has_value())
            return expected;

        return ControlPlayer::Step { control, rule->fallback };
    }

    const auto value = parseWhole (line.fromFirstOccurrenceOf ("=", false, false).trim(), rule->maximum);

    if (! value.has_value() || *value < rule->minimum)
        return expected;

    return ControlPlayer::Step { control, value };
}

//==============================================================================
// One touch of one control under a preset, as messages.
class Touch
{
public:
    Touch (const ControlId& controlToPlay, const juce::Array<juce::uint8>& imageToUse, int valueToUse)
        : control (controlToPlay), image (imageToUse), value (valueToUse)
    {
    }

    template <typename ParameterEnum>
    int read (ParameterEnum parameter) const
    {
        return ControlMessages::readParameter (control, image, parameter);
    }

    template <typename ParameterEnum>
    int channel (ParameterEnum midiChannel) const
    {
        return read (midiChannel) + 1;
    }

    // The position 0-127 within the range Min..Max (which may run downwards).
    template <typename ParameterEnum>
    int scaled (ParameterEnum min, ParameterEnum max) const
    {
        return read (min) + juce::roundToInt ((read (max) - read (min)) * value / 127.0);
    }

    static std::vector<juce::MidiMessage> strike (int channel, int note, int velocity)
    {
        if (! juce::isPositiveAndBelow (note, 128))
            return {};

        return { juce::MidiMessage::noteOn (channel, note, (juce::uint8) velocity), juce::MidiMessage::noteOff (channel, note) };
    }

    static std::vector<juce::MidiMessage> programChange (int channel, int bankMsb, int bankLsb, int program)
    {
        return { juce::MidiMessage::controllerEvent (channel, ControlMessages::bankMsbController, bankMsb),
                 juce::MidiMessage::controllerEvent (channel, ControlMessages::bankLsbController, bankLsb),
                 juce::MidiMessage::programChange (channel, program) };
    }

    static std::vector<juce::MidiMessage> press (int channel, int controller, int pressed, int released)
    {
        return { juce::MidiMessage::controllerEvent (channel, controller, pressed),
                 juce::MidiMessage::controllerEvent (channel, controller, released) };
    }

    const ControlId control;
    const juce::Array<juce::uint8>& image;
    const int value;
};

std::vector<juce::MidiMessage> playKnob (const Touch& touch)
{
    using P = KnobParameter;
    const auto channel = touch.channel (P::midiChannel);
    const auto value = touch.scaled (P::min, P::max);

    if (PresetValues::getModeName (touch.control, touch.image) == "CC")
        return { juce::MidiMessage::controllerEvent (channel, touch.read (P::cc), value) };

    return { juce::MidiMessage::channelPressureChange (channel, value) };
}

// Pads and switches share their button modes; `isOn` is the toggle's new state.
template <typename P>
std::vector<juce::MidiMessage> playButton (const Touch& touch, const juce::String& modeName, bool isOn)
{
    const auto channel = touch.channel (P::midiChannel);

    if (modeName == "CC Toggle")
        return { juce::MidiMessage::controllerEvent (channel, touch.read (P::cc), touch.read (isOn ? P::toggleOn : P::toggleOff)) };

    if (modeName == "CC Momentary")
        return Touch::press (channel, touch.read (P::cc), touch.read (P::pressed), touch.read (P::released));

    if (modeName == "Program Change")
        return Touch::programChange (channel, touch.read (P::bankMsb), touch.read (P::bankLsb), touch.read (P::program));

    return {};
}

std::vector<juce::MidiMessage> playPad (const Touch& touch, const juce::String& modeName, bool isOn)
{
    using P = PadParameter;

    if (modeName != "Note")
        return playButton<P> (touch, modeName, isOn);

    const auto fixed = touch.read (P::fixed);
    return Touch::strike (touch.channel (P::midiChannel), touch.read (P::note), fixed != 0 ? fixed : touch.value);
}

std::vector<juce::MidiMessage> playFixedControl (const Touch& touch)
{
    switch (touch.control.kind)
    {
        case ControlKind::Keybed:
            return Touch::strike (touch.channel (KeybedParameter::midiChannel),
                                  ControlMessages::getKeybedNotes (touch.image).lowest + touch.value - 1, keyVelocity);

        case ControlKind::PitchWheel:
            return { juce::MidiMessage::pitchWheel (touch.channel (PitchWheelParameter::midiChannel), touch.value) };

        case ControlKind::ModWheel:
        {
            using P = ModWheelParameter;
            return { juce::MidiMessage::controllerEvent (touch.channel (P::midiChannel), touch.read (P::cc), touch.scaled (P::min, P::max)) };
        }

        case ControlKind::Sustain:
        {
            using P = SustainParameter;
            return Touch::press (touch.channel (P::midiChannel), touch.read (P::cc), touch.read (P::pressed), touch.read (P::released));
        }

        case ControlKind::Knob:
        case ControlKind::Pad:
        case ControlKind::Switch:
            break;
    }

    return {};
}
} // namespace

//==============================================================================
std::variant<std::vector<ControlPlayer::Step>, juce::String> ControlPlayer::parse (const juce::String& script)
{
    std::vector<Step> steps;
    const auto lines = juce::StringArray::fromLines (script);

    for (int i = 0; i < lines.size(); ++i)
    {
        const auto line = lines[i].trim();

        if (line.isEmpty() || line.startsWithChar ('#'))
            continue;

        auto parsed = parseLine (line);

        if (const auto* reason = std::get_if<juce::String> (&parsed))
            return "line " + juce::String (i + 1) + ": " + *reason;

        steps.push_back (std::get<Step> (parsed));
    }

    return steps;
}

std::vector<juce::MidiMessage> ControlPlayer::play (const Step& step, const juce::Array<juce::uint8>& image)
{
    if (! step.control.has_value() || image.size() != presetImageSize)
        return {};

    const Touch touch (*step.control, image, step.value.value_or (0));

    const auto kind = step.control->kind;

    if (kind == ControlKind::Knob)
        return playKnob (touch);

    if (kind != ControlKind::Pad && kind != ControlKind::Switch)
        return playFixedControl (touch);

    const auto modeName = PresetValues::getModeName (*step.control, image);
    auto isOn = false;

    if (modeName == "CC Toggle")
        isOn = toggledOn[step.control->getOffset()] = ! toggledOn[step.control->getOffset()];

    return kind == ControlKind::Pad ? playPad (touch, modeName, isOn) : playButton<SwitchParameter> (touch, modeName, isOn);
}

void ControlPlayer::perform (const std::vector<Step>& steps, const std::function<juce::Array<juce::uint8>()>& getPreset,
                             const std::function<void (const juce::MidiMessage&)>& send)
{
    for (const auto& step : steps)
    {
        if (step.pauseMs > 0)
            juce::Thread::sleep (step.pauseMs);

        for (const auto& message : play (step, getPreset()))
            send (message);
    }
}
