#include "PresetCommandLine.h"
#include "DevicePresetTransfer.h"
#include "preset/PresetDiff.h"
#include "PresetJson.h"
#include "preset/CommandLinePath.h"
#include "preset/EditorTexts.h"
#include "preset/ExternalText.h"
#include "preset/PresetFile.h"
#include "preset/PresetValidator.h"
#include "preset/PresetValues.h"
#include "preset/ShownValueText.h"
#include "midi/PresetRequestSchedule.h"
#include "preset/SafeFileWriter.h"

#include <cstring>
#include <ostream>

using namespace PresetLayout;

namespace
{
const juce::String programName ("q7x-preset");

std::ostream& operator<< (std::ostream& stream, const juce::String& text)
{
    return stream << text.toStdString();
}

// The part of a port's name that makes it the device's when no port is named.
const juce::String devicePortNamePart (EditorTexts::devicePortName);

juce::String quotedNames (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;

    for (const auto& device : devices)
        names.add (device.name.quoted());

    return names.isEmpty() ? juce::String ("none") : names.joinIntoString (", ");
}
} // namespace

//==============================================================================
struct PresetCommandLine::Command
{
    const char* name;
    const char* synopsis;
    const char* summary;
    juce::String details;
    juce::StringArray options;
    juce::StringArray valueOptions; // options followed by a value
    int minOperands, maxOperands;
    int (PresetCommandLine::*handler) (const juce::StringArray& operands, const juce::StringArray& options);
};

const std::vector<PresetCommandLine::Command>& PresetCommandLine::getCommands()
{
    // clang-format off
    static const std::vector<Command> commands
    {
        { "show", "[--all] FILE", "list every control with its mode and the values it uses",
          "Lists each control's parameters as the editor shows them, one \"KEY: VALUE\" line each:\n"
          "the Mode by name, channels 1-16, transpose -12 to 12, curves 1-8, notes with their\n"
          "names (60 is C3). Only the parameters of each control's mode are listed; --all also\n"
          "lists the bytes a mode leaves unused.",
          { "--all" }, {}, 1, 1, &PresetCommandLine::show },

        { "check", "FILE...", "validate preset files with the editor's rules",
          "Prints one line for each file the editor would refuse, saying why: its size, its\n"
          "prefix, or the offset, parameter, value and allowed range of the first bad byte.\n"
          "Exit status 0 when every file is valid, 1 when any is refused.",
          {}, {}, 1, -1, &PresetCommandLine::check },

        { "diff", "A B", "list the parameters that differ between two presets",
          "Prints one line per difference in the editor's terms, such as\n"
          "\"Pad 3 Mode: Note -> CC Momentary\" or \"Knob 2 CC: 21 -> 74\"; \"-\" stands for a\n"
          "parameter the mode on that side does not use. Exit status 0 when the presets are\n"
          "equal, 1 when they differ, 2 when a file cannot be compared.",
          {}, {}, 2, 2, &PresetCommandLine::diff },

        { "export", "FILE", "write a preset as JSON to standard output",
          "The JSON names controls and parameters as the editor does and holds shown values;\n"
          "bytes a mode leaves unused go under \"unused\" as raw bytes, so that import gives\n"
          "back the same file byte for byte.",
          {}, {}, 1, 1, &PresetCommandLine::exportJson },

        { "import", "[--force] JSON OUT", "write the preset a JSON file describes",
          "Reads the JSON form written by export; JSON \"-\" reads it from standard input.\n"
          "Controls and parameters left out keep the built-in default preset's values;\n"
          "anything the editor would refuse is refused, naming the field. OUT is not\n"
          "replaced unless --force is given.",
          { "--force" }, {}, 2, 2, &PresetCommandLine::importJson },

        { "set", "FILE KEY=VALUE...", "change parameters by key and shown value",
          "Changes parameters by their key and shown value, for instance \"Pad 3 CC=20\",\n"
          "\"Keybed Transpose=-5\", \"Pad 1 Note=C#1\" (a note by number or name, 60 being C3)\n"
          "or \"Pad 1 Mode=CC Toggle\", in the order given. The result is checked as a whole and\n"
          "written atomically: a refused change or a failed write leaves the file as it was.",
          {}, {}, 2, -1, &PresetCommandLine::set },

        { "new", "[--force] OUT", "write the built-in default preset",
          "Writes the preset a new editor window starts with. OUT is not replaced unless\n"
          "--force is given.",
          { "--force" }, {}, 1, 1, &PresetCommandLine::create },

        { "ports", "", "list the MIDI ports send and get can use",
          "Lists the MIDI input and output ports, one \"input: NAME\" or \"output: NAME\" line\n"
          "each, in the system's order.",
          {}, {}, 0, 0, &PresetCommandLine::ports },

        { "send", "FILE [--out NAME]", "send a preset file to the device",
          "Sends the preset to the device as the editor's Send Preset does: one dump on the\n"
          "output port NAME, by default the one output port whose name contains \"Q7X\".\n"
          "A file the editor would refuse is not sent. No answer is expected.",
          {}, { "--out" }, 1, 1, &PresetCommandLine::send },

        { "get", "FILE [--in NAME] [--out NAME] [--force]", "fetch the device's preset into a file",
          "Asks the device for its preset as the editor's Get Preset does: the request goes out\n"
          "again after " + juce::String (PresetRequestSchedule::firstRetryDelayMs) + " ms, then every "
          + juce::String (PresetRequestSchedule::retryDelayMs) + " ms, and is given up "
          + juce::String (PresetRequestSchedule::giveUpAfterMs) + " ms after the first\n"
          "one. A reply the editor would refuse is not written. By default the one input and the\n"
          "one output port whose names contain \"Q7X\" are used. FILE is not replaced unless\n"
          "--force is given.",
          { "--force" }, { "--in", "--out" }, 1, 1, &PresetCommandLine::get },

        { "compare", "FILE [--in NAME] [--out NAME]", "tell whether the device holds a preset file",
          "Asks the device for its preset as get does, and compares it with FILE's. Exit status\n"
          "0 when the device holds FILE's preset; 1 when it does not, with one line per\n"
          "difference in diff's form, FILE's value first (\"Knob 2 CC: 21 -> 74\"). A file the\n"
          "editor would refuse, no answer, a refused reply or a missing port give status 1 and\n"
          "one line on standard error instead, as with get.",
          {}, { "--in", "--out" }, 1, 1, &PresetCommandLine::compare },
    };
    // clang-format on

    return commands;
}

const PresetCommandLine::Command* PresetCommandLine::findCommand (const juce::String& name)
{
    for (const auto& command : getCommands())
        if (name == command.name)
            return &command;

    return nullptr;
}

PresetCommandLine::PresetCommandLine (std::ostream& outStream, std::ostream& errStream, MidiBackend& midiBackend)
    : out (outStream), err (errStream), midi (midiBackend)
{
}

int PresetCommandLine::run (int argc, const char* const* argv)
{
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
    {
        const auto argument = ExternalText::decodeStrict (argv[i], std::strlen (argv[i]));

        if (! argument.has_value())
            return usage ("argument " + juce::String (i) + " (" + ExternalText::decode (argv[i]).quoted()
                          + " read as Latin-1) is not UTF-8 text");

        arguments.add (*argument);
    }

    return run (arguments);
}

int PresetCommandLine::run (const juce::StringArray& arguments)
{
    if (arguments.isEmpty())
        return usage ("no command given");

    const auto& first = arguments[0];

    if (first == "--help" || first == "-h" || first == "help")
    {
        printHelp();
        return success;
    }

    if (first == "--version")
    {
        out << programName << " " << JUCE_APPLICATION_VERSION_STRING << "\n";
        return success;
    }

    const auto* command = findCommand (first);

    if (command == nullptr)
        return usage ("unknown command " + first.quoted());

    if (arguments.contains ("--help") || arguments.contains ("-h"))
    {
        printCommandHelp (*command);
        return success;
    }

    juce::StringArray operands, options;
    runningCommand = command->name;
    optionValues.clear();

    for (int i = 1; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];

        if (command->valueOptions.contains (argument))
        {
            if (++i == arguments.size())
                return usage (argument + " expects a NAME", command->name);

            optionValues[argument] = arguments[i];
        }
        else if (command->options.contains (argument))
        {
            options.addIfNotAlreadyThere (argument);
        }
        else if (argument.startsWith ("--"))
        {
            return usage ("unknown option " + argument.quoted(), command->name);
        }
        else
        {
            operands.add (argument);
        }
    }

    if (operands.size() < command->minOperands || (command->maxOperands >= 0 && operands.size() > command->maxOperands))
        return usage (command->maxOperands == 0 ? juce::String ("expects no arguments")
                                                : "expects " + juce::String (command->synopsis),
                      command->name);

    return (this->*(command->handler)) (operands, options);
}

int PresetCommandLine::usage (const juce::String& problem, const juce::String& commandName)
{
    const auto prefix = commandName.isEmpty() ? programName : programName + " " + commandName;
    err << prefix << ": " << problem << "\n"
        << "Try '" << prefix << " --help'.\n";
    return usageError;
}

void PresetCommandLine::printHelp()
{
    out << "Usage: " << programName << " COMMAND [ARGUMENTS]\n\n"
        << "Reads, checks, compares and changes Q7X preset files (*.q7x) with the editor's rules,\n"
        << "and sends them to the device or fetches its preset over MIDI.\n\n"
        << "Commands:\n";

    for (const auto& command : getCommands())
        out << "  " << juce::String (command.name).paddedRight (' ', 8) << command.summary << "\n";

    out << "\n"
        << "  --help     show this help; COMMAND --help shows a command's\n"
        << "  --version  show the version\n\n"
        << "Exit status: 0 success, 1 a file or reply refused, presets that differ, a missing port\n"
        << "or no answer from the device, 2 a usage error.\n";
}

void PresetCommandLine::printCommandHelp (const Command& command)
{
    out << "Usage: " << (programName + " " + command.name + " " + command.synopsis).trimEnd() << "\n\n"
        << command.details << "\n";
}

//==============================================================================
std::optional<juce::File> PresetCommandLine::fileNamedBy (const juce::String& path)
{
    juce::String problem;
    const auto file = CommandLinePath::resolveInWorkingDirectory (path, problem);

    if (! file.has_value())
        err << programName << ": " << path << ": " << problem << "\n";

    return file;
}

bool PresetCommandLine::mayWrite (const juce::String& path, const juce::StringArray& options)
{
    const auto file = fileNamedBy (path);

    if (file.has_value() && file->exists() && ! options.contains ("--force"))
    {
        err << programName << ": " << path << ": exists already (use --force to replace it)\n";
        return false;
    }

    return file.has_value();
}

std::optional<juce::Array<juce::uint8>> PresetCommandLine::readValidPreset (const juce::String& path)
{
    const auto file = fileNamedBy (path);

    if (! file.has_value())
        return std::nullopt;

    const auto reading = PresetFile::read (*file);

    if (! reading.hasImage())
    {
        err << programName << ": " << path << ": " << reading.describe() << "\n";
        return std::nullopt;
    }

    if (const auto problem = PresetValidator::findProblem (reading.image))
    {
        err << programName << ": " << path << ": " << problem->describe() << "\n";
        return std::nullopt;
    }

    return reading.image;
}

int PresetCommandLine::writePreset (const juce::String& path, const juce::Array<juce::uint8>& image)
{
    const auto file = fileNamedBy (path);

    if (! file.has_value())
        return refused;

    if (SafeFileWriter::isReadOnly (*file))
    {
        err << programName << ": " << path << ": is read-only; left unchanged\n";
        return refused;
    }

    juce::String warning;
    const auto result = PresetFile::write (*file, image, &warning);

    if (warning.isNotEmpty())
        err << programName << ": " << path << ": warning: " << warning << "\n";

    if (result.wasOk())
        return success;

    err << programName << ": " << path << ": " << result.getErrorMessage() << "\n";
    return refused;
}

int PresetCommandLine::show (const juce::StringArray& operands, const juce::StringArray& options)
{
    const auto image = readValidPreset (operands[0]);

    if (! image.has_value())
        return refused;

    for (const auto& control : getAllControls())
    {
        for (const auto& location : PresetValues::getShownParameters (control, *image))
            out << location.getKey() << ": " << ShownValueText::withNoteName (location, (*image)[location.offset]) << "\n";

        if (options.contains ("--all"))
            for (const auto& location : PresetValues::getUnusedBytes (control, *image))
                out << location.getKey() << ": " << juce::String ((*image)[location.offset])
                    << " (unused in mode " << PresetValues::getModeName (control, *image) << ")\n";
    }

    return success;
}

int PresetCommandLine::check (const juce::StringArray& operands, const juce::StringArray&)
{
    auto status = success;

    for (const auto& path : operands)
    {
        juce::String why;

        if (const auto file = CommandLinePath::resolveInWorkingDirectory (path, why))
        {
            const auto reading = PresetFile::read (*file);
            why = reading.describe();

            if (reading.hasImage())
                if (const auto problem = PresetValidator::findProblem (reading.image))
                    why = problem->describe();
        }

        if (why.isNotEmpty())
        {
            out << path << ": " << why << "\n";
            status = refused;
        }
    }

    return status;
}

int PresetCommandLine::diff (const juce::StringArray& operands, const juce::StringArray&)
{
    const auto a = readValidPreset (operands[0]);
    const auto b = readValidPreset (operands[1]);

    if (! a.has_value() || ! b.has_value())
        return usageError;

    const auto lines = PresetDiff::describe (*a, *b);

    for (const auto& line : lines)
        out << line << "\n";

    return lines.isEmpty() ? success : refused;
}

int PresetCommandLine::exportJson (const juce::StringArray& operands, const juce::StringArray&)
{
    const auto image = readValidPreset (operands[0]);

    if (! image.has_value())
        return refused;

    out << juce::JSON::toString (PresetJson::toJson (*image)) << "\n";
    return success;
}

int PresetCommandLine::importJson (const juce::StringArray& operands, const juce::StringArray& options)
{
    const auto& jsonPath = operands[0];
    const auto& outPath = operands[1];
    juce::Array<juce::uint8> image;
    auto read = juce::Result::ok();

    // "-" is standard input, as export writes standard output.
    if (jsonPath == "-")
        read = PresetJson::fromStandardInput (image);
    else if (const auto jsonFile = fileNamedBy (jsonPath))
        read = PresetJson::fromFile (*jsonFile, image);
    else
        return refused;

    if (read.failed())
    {
        err << programName << ": " << jsonPath << ": " << read.getErrorMessage() << "\n";
        return refused;
    }

    return mayWrite (outPath, options) ? writePreset (outPath, image) : refused;
}

int PresetCommandLine::set (const juce::StringArray& operands, const juce::StringArray&)
{
    const auto& path = operands[0];
    juce::StringArray assignments (operands.begin() + 1, operands.size() - 1);

    for (const auto& assignment : assignments)
        if (! assignment.contains ("="))
            return usage ("expects KEY=VALUE, not " + assignment.quoted(), "set");

    auto image = readValidPreset (path);

    if (! image.has_value())
        return refused;

    for (const auto& assignment : assignments)
    {
        const auto key = assignment.upToFirstOccurrenceOf ("=", false, false).trim();
        const auto location = findParameter (key);
        int raw = 0;

        if (! location.has_value())
        {
            err << programName << ": unknown parameter " << key.quoted() << "\n";
            return refused;
        }

        if (const auto parsed = PresetValues::parse (*location, assignment.fromFirstOccurrenceOf ("=", false, false), raw);
            parsed.failed())
        {
            err << programName << ": " << parsed.getErrorMessage() << "\n";
            return refused;
        }

        image->set (location->offset, (juce::uint8) raw);
    }

    if (const auto problem = PresetValidator::findProblem (*image))
    {
        err << programName << ": " << path << ": left unchanged: " << problem->describe() << "\n";
        return refused;
    }

    return writePreset (path, *image);
}

int PresetCommandLine::create (const juce::StringArray& operands, const juce::StringArray& options)
{
    const auto& path = operands[0];
    return mayWrite (path, options) ? writePreset (path, getDefaultPresetImage()) : refused;
}

//==============================================================================
std::optional<juce::MidiDeviceInfo> PresetCommandLine::choosePort (bool isInput, int& status)
{
    const auto option = juce::String (isInput ? "--in" : "--out");
    const auto direction = juce::String (isInput ? "input" : "output");
    const auto devices = isInput ? midi.getInputDevices() : midi.getOutputDevices();
    const auto given = optionValues.find (option);

    if (given != optionValues.end())
    {
        // Of ports that share the name, the editor's choice.
        if (auto device = isInput ? MidiBackend::findInput (devices, given->second)
                                  : MidiBackend::findOutput (devices, given->second))
            return device;

        err << programName << ": no " << direction << " port named " << given->second.quoted() << "\n";
        status = refused;
        return std::nullopt;
    }

    juce::Array<juce::MidiDeviceInfo> candidates;

    for (const auto& device : devices)
        if (device.name.contains (devicePortNamePart))
            candidates.add (device);

    if (candidates.size() == 1)
        return candidates.getFirst();

    status = usage (juce::String (candidates.isEmpty() ? "no " : "more than one ") + direction
                        + " port whose name contains " + devicePortNamePart.quoted() + "; choose one with "
                        + option + " NAME\n" + direction.substring (0, 1).toUpperCase() + direction.substring (1)
                        + " ports: " + quotedNames (devices),
                    runningCommand);
    return std::nullopt;
}

int PresetCommandLine::ports (const juce::StringArray&, const juce::StringArray&)
{
    for (const auto& device : midi.getInputDevices())
        out << "input: " << device.name << "\n";

    for (const auto& device : midi.getOutputDevices())
        out << "output: " << device.name << "\n";

    return success;
}

int PresetCommandLine::send (const juce::StringArray& operands, const juce::StringArray&)
{
    const auto image = readValidPreset (operands[0]);

    if (! image.has_value())
        return refused;

    int status = success;
    const auto output = choosePort (false, status);

    if (! output.has_value())
        return status;

    if (const auto sent = DevicePresetTransfer (midi).send (*output, *image); sent.failed())
    {
        err << programName << ": " << sent.getErrorMessage() << "\n";
        return refused;
    }

    return success;
}

int PresetCommandLine::get (const juce::StringArray& operands, const juce::StringArray& options)
{
    const auto& path = operands[0];

    // Checked before the device is asked, and again by the write.
    if (! mayWrite (path, options))
        return refused;

    int status = success;
    const auto image = fetchDevicePreset (status);
    return image.has_value() ? writePreset (path, *image) : status;
}

int PresetCommandLine::compare (const juce::StringArray& operands, const juce::StringArray&)
{
    const auto file = readValidPreset (operands[0]);

    if (! file.has_value())
        return refused;

    int status = success;
    const auto device = fetchDevicePreset (status);

    if (! device.has_value())
        return status;

    const auto lines = PresetDiff::describe (*file, *device);

    for (const auto& line : lines)
        out << line << "\n";

    return lines.isEmpty() ? success : refused;
}

std::optional<juce::Array<juce::uint8>> PresetCommandLine::fetchDevicePreset (int& status)
{
    const auto input = choosePort (true, status);

    if (! input.has_value())
        return std::nullopt;

    const auto output = choosePort (false, status);

    if (! output.has_value())
        return std::nullopt;

    juce::Array<juce::uint8> image;
    status = refused;

    if (const auto fetched = DevicePresetTransfer (midi).fetch (*input, *output, image); fetched.failed())
    {
        err << programName << ": " << fetched.getErrorMessage() << "\n";
        return std::nullopt;
    }

    // The editor's check of a reply: a whole preset, every byte in its parameter's range.
    juce::String why;

    if (image.size() != presetImageSize)
        why = "it holds " + juce::String (image.size()) + " preset bytes, not " + juce::String (presetImageSize);
    else if (const auto problem = PresetValidator::findProblem (image))
        why = problem->describe();

    if (why.isNotEmpty())
    {
        err << programName << ": the device's reply was refused: " << why << "\n";
        return std::nullopt;
    }

    status = success;
    return image;
}
