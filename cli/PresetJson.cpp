#include "PresetJson.h"
#include "preset/PresetValidator.h"
#include "preset/PresetValues.h"

using namespace PresetLayout;

namespace
{
const juce::Identifier formatField ("format"), versionField ("version"), controlsField ("controls"),
    unusedField ("unused"), modeField ("Mode");
const juce::String formatName ("q7x-preset");
constexpr int formatVersion = 1;

juce::var shownValue (const ParameterLocation& location, int raw)
{
    if (location.getInfo().isMode)
        return PresetValues::format (location, raw);

    return raw + location.getInfo().displayOffset;
}

juce::var controlToJson (const ControlId& control, const juce::Array<juce::uint8>& image)
{
    auto object = std::make_unique<juce::DynamicObject>();

    for (const auto& location : PresetValues::getShownParameters (control, image))
        object->setProperty (location.getInfo().name, shownValue (location, image[location.offset]));

    const auto unusedBytes = PresetValues::getUnusedBytes (control, image);

    if (! unusedBytes.empty())
    {
        auto unused = std::make_unique<juce::DynamicObject>();

        for (const auto& location : unusedBytes)
            unused->setProperty (location.getInfo().name, (int) image[location.offset]);

        object->setProperty (unusedField, unused.release());
    }

    return object.release();
}

juce::Result failAt (const juce::String& field, const juce::String& why)
{
    return juce::Result::fail (field + ": " + why);
}

juce::Result readShownValue (const ParameterLocation& location, const juce::var& value, const juce::String& field,
                             juce::Array<juce::uint8>& image)
{
    const auto wantsText = location.getInfo().isMode;

    if (wantsText ? ! value.isString() : ! (value.isInt() || value.isInt64()))
        return failAt (field, wantsText ? "expected a mode name" : "expected a whole number");

    int raw = 0;
    const auto parsed = PresetValues::parse (location, value.toString(), raw);

    if (parsed.failed())
        return failAt (field, juce::JSON::toString (value) + " is not " + PresetValues::describeShownRange (location));

    image.set (location.offset, (juce::uint8) raw);
    return juce::Result::ok();
}

std::optional<ParameterLocation> findByName (const std::vector<ParameterLocation>& locations, const juce::String& name)
{
    for (const auto& location : locations)
        if (name == location.getInfo().name)
            return location;

    return std::nullopt;
}

juce::Result readUnused (const ControlId& control, const juce::var& unused, const juce::String& field,
                         juce::Array<juce::uint8>& image)
{
    auto* object = unused.getDynamicObject();

    if (object == nullptr)
        return failAt (field, "expected an object");

    const auto unusedBytes = PresetValues::getUnusedBytes (control, image);

    for (const auto& property : object->getProperties())
    {
        const auto name = property.name.toString();
        const auto location = findByName (unusedBytes, name);
        const auto& value = property.value;

        if (! location.has_value())
            return failAt (field + "." + name, "not a byte mode " + PresetValues::getModeName (control, image).quoted()
                                                   + " leaves unused");

        if (! (value.isInt() || value.isInt64()) || ! juce::isPositiveAndNotGreaterThan ((int) value, 127))
            return failAt (field + "." + name, juce::JSON::toString (value) + " is not a byte 0..127");

        image.set (location->offset, (juce::uint8) (int) value);
    }

    return juce::Result::ok();
}

juce::Result readControl (const ControlId& control, const juce::var& json, const juce::String& field,
                          juce::Array<juce::uint8>& image)
{
    auto* object = json.getDynamicObject();

    if (object == nullptr)
        return failAt (field, "expected an object");

    const auto hasModes = ! control.getInfo().modeNames.isEmpty();

    // The Mode comes first: it decides which parameters the control has.
    if (hasModes && object->hasProperty (modeField))
        if (auto result = readShownValue (control.getParameter (0), object->getProperty (modeField),
                                          field + ".Mode", image);
            result.failed())
            return result;

    const auto shown = PresetValues::getShownParameters (control, image);

    for (const auto& property : object->getProperties())
    {
        const auto name = property.name.toString();
        const auto propertyField = field + "." + name;

        if (property.name == unusedField)
        {
            if (auto result = readUnused (control, property.value, propertyField, image); result.failed())
                return result;

            continue;
        }

        if (hasModes && property.name == modeField)
            continue;

        const auto location = findByName (shown, name);

        if (! location.has_value())
            return failAt (propertyField, hasModes ? "not a parameter of mode " + PresetValues::getModeName (control, image).quoted()
                                                   : juce::String ("unknown parameter"));

        if (auto result = readShownValue (*location, property.value, propertyField, image); result.failed())
            return result;
    }

    return juce::Result::ok();
}

std::optional<ControlId> findControl (const juce::String& name)
{
    for (const auto& control : getAllControls())
        if (control.getName() == name)
            return control;

    return std::nullopt;
}
} // namespace

namespace PresetJson
{
juce::var toJson (const juce::Array<juce::uint8>& image)
{
    auto controls = std::make_unique<juce::DynamicObject>();

    for (const auto& control : getAllControls())
        controls->setProperty (control.getName(), controlToJson (control, image));

    auto root = std::make_unique<juce::DynamicObject>();
    root->setProperty (formatField, formatName);
    root->setProperty (versionField, formatVersion);
    root->setProperty (controlsField, controls.release());
    return root.release();
}

juce::Result fromJson (const juce::var& json, juce::Array<juce::uint8>& image)
{
    auto* root = json.getDynamicObject();

    if (root == nullptr)
        return juce::Result::fail ("expected a JSON object");

    for (const auto& property : root->getProperties())
        if (property.name != formatField && property.name != versionField && property.name != controlsField)
            return failAt (property.name.toString(), "unknown field");

    if (root->hasProperty (formatField) && root->getProperty (formatField) != juce::var (formatName))
        return failAt ("format", "expected " + formatName.quoted());

    if (root->hasProperty (versionField) && root->getProperty (versionField) != juce::var (formatVersion))
        return failAt ("version", "only version " + juce::String (formatVersion) + " is known");

    auto* controls = root->getProperty (controlsField).getDynamicObject();

    if (controls == nullptr)
        return failAt ("controls", "expected an object");

    image = getDefaultPresetImage();

    for (const auto& property : controls->getProperties())
    {
        const auto name = property.name.toString();
        const auto control = findControl (name);

        if (! control.has_value())
            return failAt ("controls." + name, "unknown control");

        if (auto result = readControl (*control, property.value, "controls." + name, image); result.failed())
            return result;
    }

    if (const auto problem = PresetValidator::findProblem (image))
        return juce::Result::fail (problem->describe());

    return juce::Result::ok();
}
} // namespace PresetJson
