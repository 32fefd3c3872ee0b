#pragma once

#include "preset/ParameterValue.h"
#include "preset/PresetLayout.h"
#include "midi/MidiManager.h"
#include "midi/PresetRequestSchedule.h"
#include "PresetChanges.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Owns the 93-byte preset image of one document and keeps it in step with the
    parameter widgets bound to it; reads and writes preset files and exchanges the
    preset with the hardware.

    Rules that span widgets live beside it: which widgets of a shared byte follow an edit and
    which bytes a Mode leaves free (SharedByteRules), the pacing of a request
    (PresetRequestSchedule); who follows the preset's changes registers with PresetChanges.

    Widgets bind themselves by reporting a value: the key they carry names the byte.
    Everything here runs on the message thread except midiMessageReceived, which
    only recognises a preset reply and hands its bytes over to the message thread.
*/
class PresetController : public juce::Button::Listener,
                         public ParameterValue::Listener,
                         public juce::Timer,
                         public MidiManager::MidiManagerListener
{
public:
    /** Makes an image of `size` zero bytes and registers with the MIDI manager. */
    PresetController (int size, MidiManager* midiManager);
    ~PresetController() override;

    /** Stores the key-to-offset records; a repeated key keeps the last offset. */
    void setParameterOffsets (const juce::Array<PresetLayout::ParameterOffset>& offsets);

    /** Registers a receiver of the "Save As" and "Open" requests. */
    void addActionListener (juce::ActionListener* listener);

    /** Where listeners to the preset's edits and replacements register. */
    PresetChanges& getChanges() noexcept { return changes; }

    /** The dump without F0 and F7: the header for command 0x61 and the image. */
    void buildPresetDump (juce::Array<juce::uint8>& out) const;

    /** Checks a whole preset and pushes it through the bound widgets; false leaves everything as it was. */
    bool applyPresetData (const juce::Array<juce::uint8>& data);

    /** True when every byte fits what the widgets bound to it accept in the control's mode. */
    bool validatePresetData (const juce::Array<juce::uint8>& data) const;

    /** Writes the preset as a 103-byte file, replacing it atomically; false (with an alert) when that failed. */
    bool saveToFile (const juce::File& file);

    /** Reads a preset file and applies it; false, explained by an alert, when it was refused. */
    bool loadFromFile (const juce::File& file);

    /** The alert that refuses a preset file. */
    static void showInvalidFileAlert();

    /** Sends the preset dump to the hardware. */
    void sendPreset();

    /** Asks the hardware for its preset, repeating the request until it answers or the tries run out. */
    void requestPreset();

    /** True while a preset request is waiting for its reply. */
    bool isAwaitingReply() const noexcept;

    /** The MIDI manager the preset is exchanged through; may be null. */
    MidiManager* getMidiManager() const noexcept { return midiManager; }

    /** The preset image. */
    const juce::Array<juce::uint8>& getPresetData() const noexcept { return presetData; }

    /** The widgets bound to one byte, in binding order. */
    juce::Array<ParameterValue*> getBoundValues (int offset) const;

    /** The byte a key names, or -1. */
    int getOffset (const juce::String& key) const;

    //==============================================================================
    /** @internal */
    void buttonClicked (juce::Button* button) override;
    /** @internal */
    void parameterValueChanged (ParameterValue* value) override;
    /** @internal */
    void midiMessageReceived (const juce::MidiMessage& message) override;
    /** @internal */
    void timerCallback() override;

private:
    juce::ActionBroadcaster actionBroadcaster;
    std::map<juce::String, int> keyToOffset;
    std::map<int, juce::Array<ParameterValue*>> valuesByOffset;
    // Looked up once, when a widget is first bound: a whole preset is checked against every widget.
    std::map<const ParameterValue*, PresetLayout::ParameterLocation> locationOfValue;
    MidiManager* midiManager;
    juce::Array<juce::uint8> presetData;
    int retryCount = 0;
    bool awaitingReply = false;
    juce::CriticalSection replyLock; // orders a reply recognised on the MIDI thread against the timer
    bool listeningForReply = false;  // guarded by replyLock
    bool isDistributing = false;
    PresetChanges changes;
    juce::WeakReference<PresetController>::Master masterReference;
    juce::WeakReference<PresetController> selfReference;

    friend class juce::WeakReference<PresetController>;

    bool fitsBoundValues (int offset, const juce::Array<juce::uint8>& data) const;
    void bind (ParameterValue* value, int offset);

    bool replacePreset (const juce::Array<juce::uint8>& data, const juce::String& stepName);
    void sendRequest();
    void replyReceived (const juce::Array<juce::uint8>& replyData);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetController)
};

/** A controller for one document, with the 177 keys of the preset layout. */
PresetController* createPresetController (MidiManager* midiManager);
