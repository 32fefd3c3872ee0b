#pragma once

#include <juce_core/juce_core.h>
#include "preset/EditorTexts.h"
#include <map>

/**
    Notices a preset file changed on disk by someone else (another program, `q7x-preset set`,
    the same file open in another window) since one document last read or wrote it, so that a
    save over it asks first instead of losing the other edit without a word.

    It remembers, for every file the document read or wrote, the preset the file held then.
*/
class FileOnDiskCheck
{
public:
    using Image = juce::Array<juce::uint8>;

    /** Remembers the preset `file` holds now, just read by the document. */
    void rememberContents (const juce::File& file);

    /** Remembers that `file` holds `image`, just written by the document. */
    void rememberImage (const juce::File& file, const Image& image);

    /** True when `file` holds another preset than the one remembered for it. A file that holds
        no preset any more (cut short, spoilt) keeps no one's edit: writing over it mends it, so
        it counts as unchanged, as does a file never read or written here.
    */
    bool changedOnDisk (const juce::File& file) const;

    /** Before the document writes over `file`: true when it is unchanged, or the user answered
        Yes to a question naming it.
    */
    bool mayOverwrite (const juce::File& file) const;

    /** The question, as the user reads it. */
    static juce::String describeChange (const juce::File& file);

    static constexpr const char* questionTitle = EditorTexts::fileChangedTitle;

private:
    std::map<juce::File, Image> remembered;
};
