#include "PresetValues.h"
#include "NoteNames.h"
#include "ShownValueText.h"
#include "PresetValidator.h"

using namespace PresetLayout;

namespace PresetValues
{
int getMode (const ControlId& control, const juce::Array<juce::uint8>& image)
{
    return control.getInfo().modeNames.isEmpty() ? 0 : (int) image[control.getOffset()];
}

juce::String getModeName (const ControlId& control, const juce::Array<juce::uint8>& image)
{
    return control.getInfo().modeNames[getMode (control, image)];
}

std::vector<ParameterLocation> getShownParameters (const ControlId& control, const juce::Array<juce::uint8>& image)
{
    const auto& rowsByMode = control.getInfo().rowsByMode;
    const auto mode = (size_t) juce::jlimit (0, (int) rowsByMode.size() - 1, getMode (control, image));
    std::vector<ParameterLocation> shown;

    for (auto index : rowsByMode[mode])
        shown.push_back (control.getParameter (index));

    return shown;
}

std::vector<ParameterLocation> getUnusedBytes (const ControlId& control, const juce::Array<juce::uint8>& image)
{
    const auto shown = getShownParameters (control, image);
    const auto& info = control.getInfo();
    std::vector<ParameterLocation> unused;

    for (int relative = 0; relative < info.bytesPerControl; ++relative)
    {
        const auto offset = control.getOffset() + relative;
        const auto isShown = std::any_of (shown.begin(), shown.end(), [offset] (const auto& p) { return p.offset == offset; });

        if (! isShown && ! getParametersAt (offset).empty())
            unused.push_back (getParametersAt (offset).front());
    }

    return unused;
}

juce::String format (const ParameterLocation& location, int raw)
{
    const auto& info = location.getInfo();
    const auto& modeNames = getKindInfo (location.kind).modeNames;

    if (info.isMode && juce::isPositiveAndBelow (raw, modeNames.size()))
        return modeNames[raw];

    return juce::String (raw + info.displayOffset);
}

juce::String describeShownRange (const ParameterLocation& location)
{
    const auto& info = location.getInfo();

    if (info.isMode)
        return "one of " + getKindInfo (location.kind).modeNames.joinIntoString (", ");

    return ShownValueText::range (info.rawMinimum + info.displayOffset, info.rawMaximum + info.displayOffset);
}

juce::Result parse (const ParameterLocation& location, const juce::String& text, int& raw)
{
    const auto& info = location.getInfo();
    const auto noteName = ShownValueText::holdsNote (location) ? NoteNames::parse (text) : std::nullopt;
    const auto expected = [&] { return juce::Result::fail (location.getKey() + ": \"" + text + "\" is not "
                                                           + describeShownRange (location)
                                                           + (ShownValueText::holdsNote (location) ? " or a note name, C-2 to G8" : "")); };

    if (info.isMode)
    {
        const auto index = getKindInfo (location.kind).modeNames.indexOf (text.trim(), true);

        if (index < 0)
            return expected();

        raw = index;
        return juce::Result::ok();
    }

    if (noteName.has_value())
    {
        raw = *noteName;
        return juce::Result::ok();
    }

    const auto digits = text.trim().trimCharactersAtStart ("+-");
    const auto signs = text.trim().length() - digits.length();

    if (digits.isEmpty() || digits.length() > 6 || ! digits.containsOnly ("0123456789") || signs > 1)
        return expected();

    const auto candidate = text.trim().getIntValue() - info.displayOffset;

    if (! PresetValidator::getRange (location).contains (candidate))
        return expected();

    raw = candidate;
    return juce::Result::ok();
}
} // namespace PresetValues
