#pragma once

#include <juce_core/juce_core.h>
#include <optional>

/**
    The file a path typed on a command line names, as the shell and every other program on the
    system take it; the editor and q7x-preset both go through here.

    On Linux a path is relative unless it starts with "/". A leading "~" is a name like any
    other: the shell expands it before a program sees it. ".." is the system's to resolve, after
    the symbolic links before it ("linkdir/../x.q7x" names the x.q7x beside the folder linkdir
    leads to, not beside linkdir): the folder part of such a path is named by the system, or,
    where it cannot be, kept as typed so that each use of it is resolved by the system again.
    A relative path needs a working folder that can be named: not one that was deleted, nor
    one whose name is not UTF-8 text (read any other way, it would name another folder).

    On Windows a path is relative unless it starts with a drive ("C:\") or a server
    ("\\server\share"), "\" and "/" both separate folders, and "." and ".." are taken off the
    path as Windows itself does, before any link is followed.

    The system's side lives in CommandLinePathLinux.cpp and CommandLinePathWindows.cpp.
*/
namespace CommandLinePath
{
/** True for a path that names a file without a working folder. */
bool isAbsolute (const juce::String& path);

/** The file `path` (unquoted) names, taking a relative path from `workingDirectory`. */
juce::File resolve (const juce::String& path, const juce::File& workingDirectory);

/** This process's working folder, or nothing after putting in `problem` why it cannot be named. */
std::optional<juce::File> getWorkingDirectory (juce::String& problem);

/** The file `path` names, a relative path taken from this process's working folder; nothing
    after putting in `problem` why not, when the path is relative and that folder cannot be named.
*/
std::optional<juce::File> resolveInWorkingDirectory (const juce::String& path, juce::String& problem);
} // namespace CommandLinePath
