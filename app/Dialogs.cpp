#include "Dialogs.h"

#include <atomic>

namespace
{
/** The platform's own message boxes and file choosers. */
class SystemDialogs final : public Dialogs
{
public:
    Answer askYesNoCancel (const juce::String& title, const juce::String& message) override
    {
        // Empty button texts give the framework's "Yes", "No" and "Cancel".
        switch (juce::AlertWindow::showYesNoCancelBox (juce::MessageBoxIconType::NoIcon, title, message,
                                                       {}, {}, {}, nullptr, nullptr))
        {
            case 1:  return Answer::yes;
            case 2:  return Answer::no;
            default: return Answer::cancel;
        }
    }

    juce::File chooseFileToOpen (const juce::String& title, const juce::File& startLocation) override
    {
        juce::FileChooser chooser (title, startLocation, presetFilePattern, true);
        return chooser.browseForFileToOpen() ? chooser.getResult() : juce::File();
    }

    juce::File chooseFileToSave (const juce::String& title, const juce::File& startLocation) override
    {
        juce::FileChooser chooser (title, startLocation, presetFilePattern, true);

        if (! chooser.browseForFileToSave (true))
            return {};

        const auto chosen = chooser.getResult();
        const auto file = withPresetExtension (chosen);

        // The chooser warned about the name as typed, not about the one with the extension.
        if (file != chosen && file.exists()
             && ! juce::AlertWindow::showOkCancelBox (juce::MessageBoxIconType::WarningIcon, title,
                                                     "\"" + file.getFileName() + "\" already exists. Replace it?",
                                                     "Replace", "Cancel", nullptr, nullptr))
            return {};

        return file;
    }

    void showNativeDialog (const juce::String& title, const juce::String& message) override
    {
        juce::NativeMessageBox::showMessageBox (juce::MessageBoxIconType::NoIcon, title, message);
    }
};

std::atomic<Dialogs*> replacementDialogs { nullptr };
} // namespace

Dialogs& Dialogs::get()
{
    static SystemDialogs systemDialogs;

    if (auto* replacement = replacementDialogs.load())
        return *replacement;

    return systemDialogs;
}

void Dialogs::setReplacement (Dialogs* replacement)
{
    replacementDialogs = replacement;
}

juce::File Dialogs::withPresetExtension (const juce::File& file)
{
    if (file == juce::File() || file.getFileExtension().isNotEmpty())
        return file;

    return file.withFileExtension ("q7x");
}
