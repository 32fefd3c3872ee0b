#pragma once

#include "midi/Q7XDevice.h"
#include "preset/EditorTexts.h"

#include <variant>

/** What q7x-simulator was asked to do, read from its command line. */
struct SimulatorOptions
{
    juce::String portName { EditorTexts::devicePortName };
    Q7XDevice::ReplyKind replyKind = Q7XDevice::ReplyKind::preset;
    int replyDelay = 0;
    juce::File presetFile, saveFile;
    juce::StringArray plays; // lines of a play script, in the order given
    juce::File playFile;

    static constexpr const char* usage =
        "usage: q7x-simulator [--name NAME] [--reply preset|none|out-of-range|wrong-header|short]\n"
        "                     [--delay MS] [--preset FILE] [--save FILE]\n"
        "                     [--play PLAY]... [--play-file FILE]\n"
        "Makes a MIDI input and output named NAME (\"Q7X\") that behave like a Q7X: a preset dump\n"
        "is kept (and written to the --save file), a preset request is answered with the preset\n"
        "held (from the --preset file, else the default), as --reply says and --delay ms late.\n"
        "On each SIGUSR1 its controls play what they send under the preset held: the --play\n"
        "lines, then the lines of the --play-file, read anew each time. A play is \"Knob 3=64\",\n"
        "\"Mod Wheel=127\", \"Pitch Wheel=8192\", \"Keybed=13\" (a key 1-25), \"Pad 5\" (or\n"
        "\"Pad 5=90\", a velocity), \"Switch 2\", \"Sustain\", or \"pause MS\". It prints\n"
        "\"played N messages\" after each.\n"
        "Prints \"ready\" once the ports exist; runs until SIGINT or SIGTERM.\n";

    /** The options, or the reason the arguments were refused. */
    static std::variant<SimulatorOptions, juce::String> parse (const juce::StringArray& arguments);
};
