#pragma once

#include <juce_core/juce_core.h>
#include <optional>

/**
    The one way text from outside the program becomes a juce::String: arguments, file names,
    environment variables, bytes from a socket or a file.

    A juce::String must hold valid UTF-8; built from anything else, its functions read and
    write past their buffers. So every such byte string is checked here first: valid UTF-8
    is taken as it is, anything else either refused (strict) or read as Latin-1, so that a
    file name in another encoding still names something that can be reported.

    Uses juce_core only, for the editor and the command-line program alike.
*/
struct ExternalText
{
    /** True for UTF-8 as the standard has it: no overlong forms, no surrogates, nothing above
        U+10FFFF, no truncated sequence. The framework's own check lets some of those through,
        and its strings then disagree about their length.
    */
    static bool isStrictUtf8 (const char* bytes, size_t size);

    /** `size` bytes as UTF-8, or nothing when they are not valid UTF-8 or hold a zero byte. */
    static std::optional<juce::String> decodeStrict (const void* bytes, size_t size);

    /** `size` bytes as UTF-8 when they are valid UTF-8, else as Latin-1 (a zero byte ends them). */
    static juce::String decode (const void* bytes, size_t size);

    /** A zero-terminated byte string (an argument, a file name), decoded as decode() does. */
    static juce::String decode (const char* text);

    /** An environment variable, decoded as decode() does; `fallback` when it is not set. */
    static juce::String getEnvironmentVariable (const char* name, const juce::String& fallback = {});

    /** The user's home folder: $HOME decoded as decode() does, else the system's account entry. */
    static juce::File getHomeDirectory();
};
