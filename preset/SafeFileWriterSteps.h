#pragma once

#include "SafeFileWriter.h"

/** The steps of a save that every system takes alike, through SafeFileWriter::getSystemCalls(). */
namespace SafeFileWriterSteps
{
/** A failed step, with the reason errno `error` gives. */
juce::Result failure (const juce::String& step, int error);

/** Flushes the file to the disk when `result` is still a success, and closes it whatever happens. */
juce::Result flushAndClose (int fd, juce::Result result);

/** Writes all of `data`, then flushes and closes the file (which is closed whatever happens). */
juce::Result fillTemporaryFile (int fd, const void* data, size_t size);
} // namespace SafeFileWriterSteps
