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
    return juce::Result::fail (field.isEmpty() ? why : field + ": " + why);
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

        if (! (value.isInt() || value.isInt64()) || ! PresetValidator::midiValues.contains ((double) (juce::int64) value))
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

/** A number as the parser reads it: where it ends, how many digits come before any fraction or
    exponent, and whether it is whole (digits after an optional minus, nothing more).
*/
struct ScannedNumber
{
    size_t end = 0, digits = 0;
    bool isWhole = true;
};

/** The number starting at text[start]; nothing when a minus sign has no digit after it (the
    parser would read whatever follows as one).
*/
std::optional<ScannedNumber> scanNumber (const char* text, size_t size, size_t start)
{
    ScannedNumber number { start };
    auto& i = number.end;

    if (text[i] == '-' && (++i == size || ! juce::CharacterFunctions::isDigit (text[i])))
        return std::nullopt;

    for (; i < size && juce::CharacterFunctions::isDigit (text[i]); ++i)
        ++number.digits;

    for (; i < size && text[i] != 0 && std::strchr ("0123456789.eE+-", text[i]) != nullptr; ++i)
        number.isWhole = false;

    return number;
}

/** Walks the text as the parser would, without recursion, up to where the outermost object or
    array ends (its offset goes to `end`; the parser reads no further): the nesting must stay
    within what the form uses, every number must be whole and fit 32 bits (a preset holds
    nothing else, and the parser's reading of exponents and fractions overflows), and no field
    may lack a name (the parser asserts on one before refusing it).
    `text` is valid UTF-8, so every cut made here at an ASCII character leaves valid UTF-8.
*/
juce::Result checkBeforeParsing (const char* text, size_t size, size_t& end)
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

            if (path.empty())
            {
                end = i + 1;
                return juce::Result::ok();
            }
        }
        else if (c == '-' || juce::CharacterFunctions::isDigit (c))
        {
            const auto number = scanNumber (text, size, i);

            if (! number.has_value())
                return juce::Result::fail ("not valid JSON: a minus sign without a number");

            if (! number->isWhole || number->digits > longestNumber)
            {
                juce::StringArray field;

                for (size_t level = 1; level < path.size(); ++level)
                    field.add (path[level]);

                field.add (key);
                const auto shown = ExternalText::decode (text + i, number->end - i);
                return failAt (field.joinIntoString ("."), number->isWhole ? shown + " is out of range"
                                                                           : "expected a whole number, not " + shown);
            }

            i = number->end - 1;
        }

        if (! juce::CharacterFunctions::isWhitespace (c))
            previous = c;
    }

    end = size;
    return juce::Result::ok();
}

/** Refuses anything but white space after the JSON that ends at `end`, naming where it starts. */
juce::Result checkNothingFollows (const char* text, size_t size, size_t end)
{
    while (end < size && juce::CharacterFunctions::isWhitespace (text[end]))
        ++end;

    if (end == size)
        return juce::Result::ok();

    int line = 1, column = 1;

    for (size_t i = 0; i < end; ++i)
    {
        if (text[i] == '\n')
        {
            ++line;
            column = 1;
        }
        else if ((text[i] & 0xc0) != 0x80) // the first byte of a character
        {
            ++column;
        }
    }

    return juce::Result::fail ("not valid JSON: text after the object at line " + juce::String (line) + ", column "
                               + juce::String (column));
}

/** What `fd` holds up to its end, or a failure once it holds more than a preset's JSON can. */
juce::Result readAll (int fd, juce::MemoryBlock& bytes)
{
    for (char buffer[65536];;)
    {
        const auto n = ::read (fd, buffer, sizeof (buffer));

        if (n == 0)
            return juce::Result::ok();

        if (n < 0 && errno != EINTR)
            return juce::Result::fail ("cannot be read");

        if (n > 0)
            bytes.append (buffer, (size_t) n);

        if (bytes.getSize() > PresetJson::largestFile)
            return juce::Result::fail ("too large for a preset (more than " + juce::String ((juce::int64) PresetJson::largestFile)
                                       + " bytes)");
    }
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
    const auto* bytes = static_cast<const char*> (data);
    constexpr char byteOrderMark[] = "\xef\xbb\xbf"; // which some editors start UTF-8 text with

    if (size >= 3 && std::memcmp (bytes, byteOrderMark, 3) == 0)
    {
        bytes += 3;
        size -= 3;
    }

    const auto text = ExternalText::decodeStrict (bytes, size);

    if (! text.has_value())
        return juce::Result::fail ("not UTF-8 text");

    // The parser takes nothing at all for an empty object.
    if (text->trim().isEmpty())
        return juce::Result::fail ("not valid JSON: empty");

    size_t end = 0;

    if (auto checked = checkBeforeParsing (bytes, size, end); checked.failed())
        return checked;

    juce::var json;

    if (const auto parsed = juce::JSON::parse (*text, json); parsed.failed())
        return juce::Result::fail ("not valid JSON: " + parsed.getErrorMessage());

    // The parser stops after the object and ignores the rest, which may be a second object.
    if (auto rest = checkNothingFollows (bytes, size, end); rest.failed())
        return rest;

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
    else
        result = readAll (fd, bytes); // a file may grow while it is read

    ::close (fd);
    return result.wasOk() ? fromText (bytes.getData(), bytes.getSize(), image) : result;
}

juce::Result fromStandardInput (juce::Array<juce::uint8>& image)
{
    juce::MemoryBlock bytes;
    const auto result = readAll (STDIN_FILENO, bytes);
    return result.wasOk() ? fromText (bytes.getData(), bytes.getSize(), image) : result;
}
} // namespace PresetJson
