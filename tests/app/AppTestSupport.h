#pragma once

#include "AlertRecorder.h"
#include "TemporaryFolder.h"
#include "WaitUntil.h"
#include "app/Dialogs.h"
#include "app/WindowManager.h"
#include "midi/InMemoryMidiBackend.h"
#include "preset/PresetLayout.h"

#include <gtest/gtest.h>
#include <deque>

/** Answers the editor's modal questions and file choosers from scripts, and records them. */
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        juce::String title, text;
    };

    ScriptedDialogs() { Dialogs::setReplacement (this); }
    ~ScriptedDialogs() override { Dialogs::setReplacement (nullptr); }

    std::deque<Answer> answers;
    std::deque<bool> yesNoAnswers;
    std::deque<juce::File> filesToOpen, filesToSave; // juce::File() stands for Cancel

    juce::Array<Shown> questions, nativeDialogs;
    juce::Array<Shown> openChoosers, saveChoosers; // title and start folder

    juce::StringArray askedNames() const
    {
        juce::StringArray names;

        for (const auto& q : questions)
            names.add (q.text.fromFirstOccurrenceOf ("Would you like to save: ", false, false));

        return names;
    }

    Answer askYesNoCancel (const juce::String& title, const juce::String& message) override
    {
        questions.add ({ title, message });
        return take (answers, Answer::cancel, "question");
    }

    bool askYesNo (const juce::String& title, const juce::String& message) override
    {
        questions.add ({ title, message });
        return take (yesNoAnswers, false, "yes/no question");
    }

    juce::File chooseFileToOpen (const juce::String& title, const juce::File& start) override
    {
        openChoosers.add ({ title, start.getFullPathName() });
        return take (filesToOpen, juce::File(), "open chooser");
    }

    juce::File chooseFileToSave (const juce::String& title, const juce::File& start) override
    {
        saveChoosers.add ({ title, start.getFullPathName() });
        return take (filesToSave, juce::File(), "save chooser");
    }

    void showNativeDialog (const juce::String& title, const juce::String& message) override
    {
        nativeDialogs.add ({ title, message });
    }

private:
    template <typename T>
    static T take (std::deque<T>& script, T whenEmpty, const char* what)
    {
        if (script.empty())
        {
            ADD_FAILURE() << "unexpected " << what;
            return whenEmpty;
        }

        auto next = script.front();
        script.pop_front();
        return next;
    }
};

/** Brings a window to the front until `isDone` holds, as a user clicking on it would:
    a window manager may let a window that was mapped a moment ago miss a request.
*/
inline bool bringToFrontUntil (juce::Component& window, const std::function<bool()>& isDone)
{
    for (int attempt = 0; attempt < 20; ++attempt)
    {
        if (waitUntil (isDone, 500))
            return true;

        window.toFront (true);
    }

    return isDone();
}

/** A window manager on an in-memory MIDI layer, with scripted dialogs, recorded alerts and a
    temporary folder as the choosers' start.
*/
class WindowManagerFixture : public testing::Test
{
protected:
    TemporaryFolder temp;
    InMemoryMidiBackend backend;
    MidiManager midi { backend };
    juce::ApplicationCommandManager commands;
    juce::File lastFolder = temp.get();
    ScriptedDialogs dialogs;
    AlertRecorder alerts;
    std::unique_ptr<WindowManager> manager = std::make_unique<WindowManager> (&midi, &commands, lastFolder);

    void TearDown() override
    {
        manager.reset();
        EXPECT_TRUE (dialogs.answers.empty() && dialogs.yesNoAnswers.empty() && dialogs.filesToOpen.empty()
                     && dialogs.filesToSave.empty())
            << "a scripted answer was never asked for";
    }
};
