#include "FileOnDiskCheck.h"
#include "Dialogs.h"
#include "preset/PresetFile.h"

void FileOnDiskCheck::rememberContents (const juce::File& file)
{
    auto reading = PresetFile::read (file);

    // Gone or spoilt since the document read it a moment ago: nothing to compare with later.
    if (reading.hasImage())
        remembered[file] = std::move (reading.image);
    else
        remembered.erase (file);
}

void FileOnDiskCheck::rememberImage (const juce::File& file, const Image& image)
{
    remembered[file] = image;
}

bool FileOnDiskCheck::changedOnDisk (const juce::File& file) const
{
    const auto known = remembered.find (file);

    if (known == remembered.end())
        return false;

    const auto reading = PresetFile::read (file);
    return reading.hasImage() && reading.image != known->second;
}

bool FileOnDiskCheck::mayOverwrite (const juce::File& file) const
{
    return ! changedOnDisk (file) || Dialogs::get().askYesNo (questionTitle, describeChange (file));
}

juce::String FileOnDiskCheck::describeChange (const juce::File& file)
{
    return "\"" + file.getFileName() + "\"" + EditorTexts::fileChangedQuestion;
}
