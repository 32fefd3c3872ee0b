#include "SimulatorOptions.h"
#include "midi/ControlPlayer.h"

namespace
{
std::optional<Q7XDevice::ReplyKind> findReplyKind (const juce::String& name)
{
    using Kind = Q7XDevice::ReplyKind;
    const std::pair<const char*, Kind> kinds[] { { "preset", Kind::preset },
                                                 { "none", Kind::none },
                                                 { "out-of-range", Kind::outOfRangeByte },
                                                 { "wrong-header", Kind::wrongHeader },
                                                 { "short", Kind::shortMessage } };

    for (const auto& [text, kind] : kinds)
        if (name == text)
            return kind;

    return std::nullopt;
}
} // namespace

std::variant<SimulatorOptions, juce::String> SimulatorOptions::parse (const juce::StringArray& arguments)
{
    SimulatorOptions options;

    for (int i = 0; i < arguments.size(); i += 2)
    {
        const auto& option = arguments[i];

        if (i + 1 >= arguments.size())
            return "missing value after " + option;

        const auto& value = arguments[i + 1];

        if (option == "--name" && value.isNotEmpty())
            options.portName = value;
        else if (option == "--reply" && findReplyKind (value).has_value())
            options.replyKind = *findReplyKind (value);
        else if (option == "--delay" && value.containsOnly ("0123456789") && value.length() < 7)
            options.replyDelay = value.getIntValue();
        else if (option == "--preset" || option == "--save" || option == "--play-file")
            (option == "--preset" ? options.presetFile : option == "--save" ? options.saveFile
                                                                            : options.playFile) = juce::File::getCurrentWorkingDirectory().getChildFile (value);
        else if (option == "--play")
            options.plays.add (value);
        else
            return "bad option: " + option + " " + value;
    }

    // Each --play is one line of the script.
    const auto plays = ControlPlayer::parse (options.plays.joinIntoString ("\n"));

    if (const auto* reason = std::get_if<juce::String> (&plays))
        return "bad --play: " + reason->fromFirstOccurrenceOf (": ", false, false);

    return options;
}
