#include "PresetController.h"
#include "preset/EditorTexts.h"
#include "preset/Alert.h"
#include "preset/PresetFile.h"
#include "preset/PresetFraming.h"
#include "preset/SharedByteRules.h"
#include "preset/VerbatimTexts.h"

namespace
{
void showNoDeviceAlert()
{
    Alert::show (VerbatimTexts::noDeviceTitle, VerbatimTexts::noDeviceMessage);
}

// A request needs both ports: one to ask on, one for the answer.
bool hasRequestPorts (const MidiManager* manager)
{
    return manager != nullptr && manager->isInputOpen() && manager->isOutputOpen();
}

juce::MidiMessage makeSysEx (const juce::Array<juce::uint8>& bytes)
{
    return juce::MidiMessage::createSysExMessage (bytes.getRawDataPointer(), bytes.size());
}
} // namespace

//==============================================================================
PresetController::PresetController (int size, MidiManager* manager)
    : midiManager (manager)
{
    selfReference = this;

    if (midiManager != nullptr)
        midiManager->addListener (this);

    presetData.insertMultiple (0, 0, size);
}

PresetController::~PresetController()
{
    // After this no MIDI message reaches us; a reply already handed over finds us gone.
    if (midiManager != nullptr)
        midiManager->removeListener (this);

    stopTimer();
    masterReference.clear();
}

void PresetController::setParameterOffsets (const juce::Array<PresetLayout::ParameterOffset>& offsets)
{
    for (const auto& record : offsets)
        keyToOffset[record.key] = record.offset;
}

void PresetController::addActionListener (juce::ActionListener* listener)
{
    actionBroadcaster.addActionListener (listener);
}

void PresetController::buildPresetDump (juce::Array<juce::uint8>& out) const
{
    out = PresetFraming::makeBody (PresetLayout::presetDumpCommand, presetData);
}

juce::Array<ParameterValue*> PresetController::getBoundValues (int offset) const
{
    const auto found = valuesByOffset.find (offset);
    return found != valuesByOffset.end() ? found->second : juce::Array<ParameterValue*>();
}

int PresetController::getOffset (const juce::String& key) const
{
    const auto found = keyToOffset.find (key);
    return found != keyToOffset.end() ? found->second : -1;
}

//==============================================================================
void PresetController::parameterValueChanged (ParameterValue* value)
{
    const auto offset = getOffset (value->getName());

    if (offset < 0)
        return;

    const auto byte = (juce::uint8) (int) value->getValue();

    if (offset < presetData.size())
        presetData.set (offset, byte);
    else
        presetData.add (byte);

    bind (value, offset);

    if (isDistributing)
        return;

    // What any widget of a shared byte shows is what gets saved and sent.
    {
        const juce::ScopedValueSetter<bool> distributing (isDistributing, true);
        SharedByteRules::followEdit (getBoundValues (offset), value, presetData[offset]);
    }

    changes.edited (value->getName());
}

void PresetController::bind (ParameterValue* value, int offset)
{
    if (valuesByOffset[offset].addIfNotAlreadyThere (value))
        if (const auto location = PresetLayout::findParameter (value->getName()))
            locationOfValue.emplace (value, *location);
}

//==============================================================================
bool PresetController::fitsBoundValues (int offset, const juce::Array<juce::uint8>& data) const
{
    const int byte = data[offset];

    for (auto* value : getBoundValues (offset))
    {
        auto range = PresetValidator::RawRange { value->getMinimum (true), value->getMaximum (true) };

        if (const auto location = locationOfValue.find (value); location != locationOfValue.end())
            range = SharedByteRules::getAcceptedRange (location->second, data, range);

        if (! range.contains (byte))
            return false;
    }

    return true;
}

bool PresetController::validatePresetData (const juce::Array<juce::uint8>& data) const
{
    if (data.size() != PresetLayout::presetImageSize)
        return false;

    for (int offset = 0; offset < data.size(); ++offset)
        if (! fitsBoundValues (offset, data))
            return false;

    return true;
}

bool PresetController::applyPresetData (const juce::Array<juce::uint8>& data)
{
    if (! validatePresetData (data))
        return false;

    const juce::ScopedValueSetter<bool> distributing (isDistributing, true);

    for (int offset = 0; offset < data.size(); ++offset)
        for (auto* value : getBoundValues (offset))
            value->setValue (data[offset]);

    return true;
}

// A file or a reply that replaces the whole preset: one step for an undo history.
bool PresetController::replacePreset (const juce::Array<juce::uint8>& data, const juce::String& stepName)
{
    if (! validatePresetData (data))
        return false;

    changes.replace (stepName, [&] { applyPresetData (data); });
    return true;
}

//==============================================================================
bool PresetController::saveToFile (const juce::File& file)
{
    // A failed save, a full disk included, leaves the old file as it was; the alert says why.
    const auto result = PresetFile::write (file, presetData);

    if (result.wasOk())
        return true;

    Alert::show (EditorTexts::saveFailedTitle,
                 EditorTexts::saveFailedMessage + file.getFullPathName() + "\r\n(" + result.getErrorMessage() + ")");
    return false;
}

bool PresetController::loadFromFile (const juce::File& file)
{
    auto refuse = [] {
        showInvalidFileAlert();
        return false;
    };

    const auto reading = PresetFile::read (file);

    if (! reading.hasImage())
        return refuse();

    return replacePreset (reading.image, "Open " + file.getFileName()) || refuse();
}

void PresetController::showInvalidFileAlert()
{
    Alert::show (VerbatimTexts::invalidFileTitle, VerbatimTexts::invalidFileMessage);
}

//==============================================================================
void PresetController::sendPreset()
{
    if (midiManager == nullptr || ! midiManager->isOutputOpen())
    {
        showNoDeviceAlert();
        return;
    }

    juce::Array<juce::uint8> dump;
    buildPresetDump (dump);
    midiManager->sendMessage (makeSysEx (dump));
}

void PresetController::requestPreset()
{
    if (isTimerRunning())
        return;

    if (! hasRequestPorts (midiManager))
    {
        showNoDeviceAlert();
        return;
    }

    retryCount = 0;
    awaitingReply = true;

    {
        const juce::ScopedLock sl (replyLock);
        listeningForReply = true;
    }

    startTimer (PresetRequestSchedule::waitAfter (retryCount));
    sendRequest();
}

bool PresetController::isAwaitingReply() const noexcept
{
    return awaitingReply;
}

void PresetController::sendRequest()
{
    midiManager->sendMessage (makeSysEx (PresetFraming::makeBody (PresetLayout::presetRequestCommand)));
}

void PresetController::timerCallback()
{
    // A port that went away ends the request now: each retry would only fail, with an alert each.
    const auto portsLeft = hasRequestPorts (midiManager);

    {
        // Under the lock a reply is either recognised before this (and nothing more is
        // sent, nor given up) or after the request that goes out here.
        const juce::ScopedLock sl (replyLock);

        if (listeningForReply && portsLeft && PresetRequestSchedule::onTick (retryCount) == PresetRequestSchedule::Tick::resend)
        {
            ++retryCount;
            sendRequest();
            startTimer (PresetRequestSchedule::waitAfter (retryCount));
            return;
        }

        stopTimer();
        retryCount = 0;

        // A reply recognised already is on its way to replyReceived.
        if (! listeningForReply)
            return;

        listeningForReply = false;
    }

    awaitingReply = false;

    if (portsLeft)
        Alert::show (VerbatimTexts::requestFailedTitle, VerbatimTexts::requestFailedMessage);
    else
        showNoDeviceAlert();
}

// Runs on the MIDI input thread: it only recognises a reply and copies its bytes; the
// message thread checks and applies them, so a preset never lands half-way into an edit.
void PresetController::midiMessageReceived (const juce::MidiMessage& message)
{
    if (! message.isSysEx())
        return;

    const auto* data = message.getSysExData();
    const auto size = message.getSysExDataSize();

    const auto image = PresetFraming::findPayload (data, size, PresetLayout::presetReplyCommand);

    if (! image.has_value())
        return;

    {
        // The first reply recognised answers the request; the timer neither retries nor gives up after it.
        const juce::ScopedLock sl (replyLock);

        if (! listeningForReply)
            return;

        listeningForReply = false;
    }

    juce::MessageManager::callAsync ([weakThis = selfReference, image = *image] {
        if (auto* controller = weakThis.get())
            controller->replyReceived (image);
    });
}

void PresetController::replyReceived (const juce::Array<juce::uint8>& replyData)
{
    if (! awaitingReply)
        return;

    awaitingReply = false;
    stopTimer();
    retryCount = 0;

    {
        // A request made again while this reply was on its way is answered by it as well.
        const juce::ScopedLock sl (replyLock);
        listeningForReply = false;
    }

    // A reply cut short carries no whole preset: refused like one out of range.
    if (replyData.size() == PresetLayout::presetImageSize && replacePreset (replyData, "Get Preset"))
        Alert::show (VerbatimTexts::presetReceivedTitle, VerbatimTexts::presetReceivedMessage);
    else
        Alert::show (VerbatimTexts::invalidReplyTitle, VerbatimTexts::invalidReplyMessage);
}

//==============================================================================
void PresetController::buttonClicked (juce::Button* button)
{
    const auto name = button->getName();

    if (name == "Save To HD")
        actionBroadcaster.sendActionMessage ("Save As");
    else if (name == "Load From HD")
        actionBroadcaster.sendActionMessage ("Open");
    else if (name == "Save To MIDI")
        sendPreset();
    else if (name == "Load From MIDI")
        requestPreset();
}

//==============================================================================
PresetController* createPresetController (MidiManager* midiManager)
{
    auto* controller = new PresetController (PresetLayout::presetImageSize, midiManager);
    controller->setParameterOffsets (PresetLayout::createParameterOffsets());
    return controller;
}
