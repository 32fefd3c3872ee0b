#pragma once

#include "preset/PresetLayout.h"

#include <juce_core/juce_core.h>

/** A fresh folder under the temporary folder, removed with everything in it.

    Its name is the framework's random temporary one rather than the first free name: tests
    run as parallel processes, which would otherwise pick the same free name at the same moment
    and then share it, or fail to make it.
*/
class TemporaryFolder
{
public:
    TemporaryFolder() { folder.createDirectory(); }
    ~TemporaryFolder() { folder.deleteRecursively(); }

    const juce::File& get() const noexcept { return folder; }

    /** A valid preset file holding the built-in default preset. */
    juce::File writePreset (const juce::String& name) const
    {
        auto file = folder.getChildFile (name);
        const auto& dump = PresetLayout::defaultPresetDump;
        file.replaceWithData (dump.data(), dump.size());
        return file;
    }

private:
    const juce::TemporaryFile randomName;
    const juce::File folder = randomName.getFile();

    JUCE_DECLARE_NON_COPYABLE (TemporaryFolder)
};
