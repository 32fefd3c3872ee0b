#include "PresetJson.h"
#include "InputFile.h"
#include "preset/ExternalText.h"
#include "preset/PresetValidator.h"
#include "preset/PresetValues.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

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

        if (! (value.isInt() || value.isInt64()) || ! juce::isPositiveAndNotGreaterThan ((juce::int64) value, (juce::int64) 127))
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

/** The end of the number starting at text[start], and how many digits come before any fraction or
    exponent; nothing when a minus sign has no digit after it (the parser would read whatever
    follows as one).
*/
std::optional<size_t> scanNumber (const char* text, size_t size, size_t start, size_t& digits)
{
    auto i = start;
    digits = 0;

    if (text[i] == '-' && (++i == size || ! juce::CharacterFunctions::isDigit (text[i])))
        return std::nullopt;

    for (; i < size && juce::CharacterFunctions::isDigit (text[i]); ++i)
        ++digits;

    while (i < size && text[i] != 0 && std::strchr ("0123456789.eE+-", text[i]) != nullptr)
        ++i;

    return i;
}

/** Walks the text as the parser would, without recursion: the nesting must stay within what the
    form uses, every number must fit 32 bits (the longest a preset needs has three digits), and
    no field may lack a name (the parser asserts on one before refusing it).
    `text` is valid UTF-8, so every cut made here at an ASCII character leaves valid UTF-8.
*/
juce::Result checkDepthAndNumbers (const char* text, size_t size)
{
    constexpr size_t longestNumber = 9; // digits before any fraction or exponent
    std::vector<juce::String> path;     // the key each open object or array is the value of
    std::string open;                   // '{' or '[' for each of them
    juce::String lastString, key;
    char previous = 0; // the last character outside strings and white space

    for (size_t i = 0; i < size; ++i)
    {
        const auto c = text[i];

        if (c == '"' || c == '\'') // the parser takes either quote
        {
            const auto isName = ! open.empty() && open.back() == '{' && (previous == '{' || previous == ',');
            const auto start = ++i;

            for (; i < size && text[i] != c; ++i)
                if (text[i] == '\\')
                    ++i;

            lastString = ExternalText::decode (text + start, std::min (i, size) - start);

            if (isName && lastString.isEmpty())
                return juce::Result::fail ("not valid JSON: a field without a name");
        }
        else if (c == ':')
        {
            key = lastString;
        }
        else if (c == '{' || c == '[')
        {
            if ((int) path.size() >= PresetJson::deepestNesting)
                return juce::Result::fail ("nested deeper than the " + juce::String (PresetJson::deepestNesting)
                                           + " levels of a preset");

            path.push_back (key);
            open += c;
            key = {};
        }
        else if ((c == '}' || c == ']') && ! path.empty())
        {
            key = path.back();
            path.pop_back();
            open.pop_back();
        }
        else if (c == '-' || juce::CharacterFunctions::isDigit (c))
        {
            size_t digits = 0;
            const auto end = scanNumber (text, size, i, digits);

            if (! end.has_value())
                return juce::Result::fail ("not valid JSON: a minus sign without a number");

            if (digits > longestNumber)
            {
                juce::StringArray field;

                for (size_t level = 1; level < path.size(); ++level)
                    field.add (path[level]);

                field.add (key);
                return failAt (field.joinIntoString ("."), ExternalText::decode (text + i, *end - i) + " is out of range");
            }

            i = *end - 1;
        }

        if (! juce::CharacterFunctions::isWhitespace (c))
            previous = c;
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

namespace PresetJson
{
juce::Result fromText (const void* data, size_t size, juce::Array<juce::uint8>& image)
{
    const auto text = ExternalText::decodeStrict (data, size);

    if (! text.has_value())
        return juce::Result::fail ("not UTF-8 text");

    if (auto checked = checkDepthAndNumbers (static_cast<const char*> (data), size); checked.failed())
        return checked;

    juce::var json;

    if (const auto parsed = juce::JSON::parse (*text, json); parsed.failed())
        return juce::Result::fail ("not valid JSON: " + parsed.getErrorMessage());

    return fromJson (json, image);
}

juce::Result fromFile (const juce::File& file, juce::Array<juce::uint8>& image)
{
    const auto fd = InputFile::open (file);

    if (fd < 0)
        return juce::Result::fail (errno == ENOENT ? "no such file" : "cannot be read");

    struct stat info
    {};
    juce::MemoryBlock bytes;
    auto result = juce::Result::ok();

    if (::fstat (fd, &info) != 0 || ! S_ISREG (info.st_mode))
        result = juce::Result::fail ("not a regular file");
    else if ((size_t) info.st_size > largestFile)
        result = juce::Result::fail ("too large for a preset (" + juce::String ((juce::int64) info.st_size) + " bytes)");

    for (char buffer[65536]; result.wasOk();)
    {
        const auto n = ::read (fd, buffer, sizeof (buffer));

        if (n == 0)
            break;

        if (n < 0 && errno != EINTR)
            result = juce::Result::fail ("cannot be read");
        else if (n > 0)
            bytes.append (buffer, (size_t) n);

        if (bytes.getSize() > largestFile)
            result = juce::Result::fail ("too large for a preset (more than " + juce::String ((juce::int64) largestFile)
                                         + " bytes)"); // it grew while being read
    }

    ::close (fd);
    return result.wasOk() ? fromText (bytes.getData(), bytes.getSize(), image) : result;
}
} // namespace PresetJson
