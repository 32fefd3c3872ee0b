#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The modal questions and file choosers of the editor, behind one replaceable
    object, so that tests can answer them. Asynchronous "OK" alerts go through
    Alert::show instead.
*/
class Dialogs
{
public:
    /** The answers to a Yes/No/Cancel question. */
    enum class Answer
    {
        yes,
        no,
        cancel
    };

    virtual ~Dialogs() = default;

    /** Asks a modal Yes/No/Cancel question and waits for the answer. */
    virtual Answer askYesNoCancel (const juce::String& title, const juce::String& message) = 0;

    /** Asks a modal Yes/No question and waits for the answer: true for Yes. */
    virtual bool askYesNo (const juce::String& title, const juce::String& message) = 0;

    /** Lets the user pick a preset file to open; an empty File when cancelled. */
    virtual juce::File chooseFileToOpen (const juce::String& title, const juce::File& startLocation) = 0;

    /** Lets the user pick where to save a preset, with a warning before an existing file
        is replaced; an empty File when cancelled. A name typed without ".q7x" at its end
        gets ".q7x". `startLocation` may be a folder or a proposed file in a folder.
    */
    virtual juce::File chooseFileToSave (const juce::String& title, const juce::File& startLocation) = 0;

    /** Shows a modal dialog box with one button and waits until it is dismissed. */
    virtual void showNativeDialog (const juce::String& title, const juce::String& message) = 0;

    /** The dialogs in use: the real ones unless a replacement is installed. */
    static Dialogs& get();

    /** Makes Alert::show put up an asynchronous message box with an "OK" button, on the
        message thread whichever thread raised it. */
    static void showAlertsAsMessageBoxes();

    /** Installs a replacement (not owned), or restores the real dialogs with nullptr. */
    static void setReplacement (Dialogs* replacement);

    /** The file pattern of every preset chooser. */
    static constexpr const char* presetFilePattern = "*.q7x";

    /** The file with ".q7x" added unless its name already ends in ".q7x" (in any case):
        a name such as "Live v1.2" is a preset name with a dot in it, not an extension, and
        without ".q7x" the Open chooser's pattern would hide the file.
    */
    static juce::File withPresetExtension (const juce::File& file);

    /** Where the save chooser starts for a document called `documentName`: that name as a
        preset file in `folder`, so that the chooser proposes it; just `folder` when there is
        no usable folder or name.
    */
    static juce::File proposedSaveLocation (const juce::File& folder, const juce::String& documentName);
};
