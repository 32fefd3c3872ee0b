#pragma once

#include "midi/InMemoryMidiBackend.h"
#include "midi/MidiManager.h"
#include "controller/PresetController.h"
#include "views/EditorComponent.h"
#include "ViewTestHelpers.h"
#include "WaitUntil.h"

/** A real editor for a real preset controller, as a document builds them. */
struct EditorFixture
{
    EditorFixture()
        : controller (createPresetController (&midiManager)),
          editor (createEditorComponent (*controller))
    {
    }

    ~EditorFixture()
    {
        // The views report to the controller: they go first.
        editor.reset();
        controller.reset();
    }

    /** The widget bound to a key. */
    ParameterValue* value (const juce::String& key) const
    {
        return dynamic_cast<ParameterValue*> (findComponentNamed (*editor, key));
    }

    /** The text a number box shows. */
    juce::String textOf (const juce::String& key) const
    {
        return dynamic_cast<juce::TextEditor&> (*findComponentNamed (*editor, key)).getText();
    }

    /** Puts the editor in a window of its own in front, as tests of the keyboard focus need
        (under an X display with a window manager); false when that window gets no focus.
    */
    bool showWithKeyboardFocus()
    {
        editor->addToDesktop (juce::ComponentPeer::windowHasTitleBar);
        editor->setVisible (true);
        editor->toFront (true);
        return waitUntil ([this] { return editor->getPeer() != nullptr && editor->getPeer()->isFocused(); });
    }

    /** The panel of a control. */
    juce::Component& panel (const juce::String& controlName) const
    {
        return *findComponentNamed (*editor, controlName);
    }

    InMemoryMidiBackend backend;
    MidiManager midiManager { backend };
    std::unique_ptr<PresetController> controller;
    std::unique_ptr<EditorComponent> editor;
};
