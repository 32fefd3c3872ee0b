#pragma once

#include "midi/MidiBackend.h"

#include <iosfwd>
#include <map>
#include <optional>

/**
    q7x-preset: reads, checks, compares, converts and changes preset files from a terminal,
    with the editor's own rules and names, and without any window; sends them to the
    device and fetches the device's preset over MIDI.

    Results go to `out`, errors to `err`. Exit status: 0 for success, 1 when a file or a
    reply was refused, two presets differ, a port is missing or the device did not answer,
    2 for a usage error (and for a diff that could not compare its files, as diff(1) does).
*/
class PresetCommandLine
{
public:
    enum ExitStatus
    {
        success = 0,
        refused = 1,
        usageError = 2
    };

    /** The MIDI commands use the backend's ports; it must outlive this object. */
    PresetCommandLine (std::ostream& out, std::ostream& err, MidiBackend& midiBackend);

    /** Runs main()'s arguments (argv[0] being the program). Each must be UTF-8 text: one that
        is not (a file name in another encoding) is refused by its position, as a usage error.
    */
    int run (int argc, const char* const* argv);

    /** Runs one command line (without the program name) and returns its exit status. */
    int run (const juce::StringArray& arguments);

private:
    struct Command;
    static const std::vector<Command>& getCommands();
    static const Command* findCommand (const juce::String& name);

    int usage (const juce::String& problem, const juce::String& commandName = {});
    void printHelp();
    void printCommandHelp (const Command& command);

    int show (const juce::StringArray& operands, const juce::StringArray& options);
    int check (const juce::StringArray& operands, const juce::StringArray& options);
    int diff (const juce::StringArray& operands, const juce::StringArray& options);
    int exportJson (const juce::StringArray& operands, const juce::StringArray& options);
    int importJson (const juce::StringArray& operands, const juce::StringArray& options);
    int set (const juce::StringArray& operands, const juce::StringArray& options);
    int create (const juce::StringArray& operands, const juce::StringArray& options);
    int ports (const juce::StringArray& operands, const juce::StringArray& options);
    int send (const juce::StringArray& operands, const juce::StringArray& options);
    int get (const juce::StringArray& operands, const juce::StringArray& options);
    int compare (const juce::StringArray& operands, const juce::StringArray& options);

    /** The port given with the option, else the only one whose name contains "Q7X". Nothing
        after saying on `err` why not; `status` then holds the exit status.
    */
    std::optional<juce::MidiDeviceInfo> choosePort (bool isInput, int& status);

    /** The device's preset, asked for on the chosen ports and checked as the editor checks a
        reply; nothing after saying on `err` why not, `status` then holding the exit status.
    */
    std::optional<juce::Array<juce::uint8>> fetchDevicePreset (int& status);

    /** The file an argument names (see CommandLinePath), or nothing after saying on `err` why not. */
    std::optional<juce::File> fileNamedBy (const juce::String& path);

    /** True when `path` names a file that does not exist, or may be replaced (--force); else
        false after saying on `err` why not.
    */
    bool mayWrite (const juce::String& path, const juce::StringArray& options);

    /** The image of a file the editor would open, or nothing after saying on `err` why not. */
    std::optional<juce::Array<juce::uint8>> readValidPreset (const juce::String& path);
    int writePreset (const juce::String& path, const juce::Array<juce::uint8>& image);

    std::ostream& out;
    std::ostream& err;
    MidiBackend& midi;
    std::map<juce::String, juce::String> optionValues; // "--in" and "--out" with their NAME
    juce::String runningCommand;                       // the name of the command running
};
