#include "DevicePresetRequest.h"

#include "midi/PresetRequestSchedule.h"
#include "preset/Alert.h"
#include "preset/PresetFraming.h"
#include "preset/PresetLayout.h"
#include "preset/VerbatimTexts.h"

DevicePresetRequest::DevicePresetRequest (MidiManager* manager)
    : midiManager (manager)
{
    selfReference = this;

    if (midiManager != nullptr)
        midiManager->addListener (this);
}

DevicePresetRequest::~DevicePresetRequest()
{
    // After this no MIDI message reaches us; a reply already handed over finds us gone.
    if (midiManager != nullptr)
        midiManager->removeListener (this);

    stopTimer();
    masterReference.clear();
}

// A request needs both ports: one to ask on, one for the answer.
bool DevicePresetRequest::hasPorts() const
{
    return midiManager != nullptr && midiManager->isInputOpen() && midiManager->isOutputOpen();
}

void DevicePresetRequest::start (ReplyHandler onReply)
{
    if (isTimerRunning())
        return;

    if (! hasPorts())
    {
        Alert::show (VerbatimTexts::noDeviceTitle, VerbatimTexts::noDeviceMessage);
        return;
    }

    replyHandler = std::move (onReply);
    retryCount = 0;

    {
        const juce::ScopedLock sl (replyLock);
        listening = true;
    }

    startTimer (PresetRequestSchedule::waitAfter (retryCount));
    sendRequest();
}

void DevicePresetRequest::sendRequest()
{
    const auto body = PresetFraming::makeBody (PresetLayout::presetRequestCommand);
    midiManager->sendMessage (juce::MidiMessage::createSysExMessage (body.getRawDataPointer(), body.size()));
}

void DevicePresetRequest::timerCallback()
{
    // A port that went away ends the request now, as it ends Get.
    const auto portsLeft = hasPorts();

    {
        const juce::ScopedLock sl (replyLock);

        if (listening && portsLeft && PresetRequestSchedule::onTick (retryCount) == PresetRequestSchedule::Tick::resend)
        {
            ++retryCount;
            sendRequest();
            startTimer (PresetRequestSchedule::waitAfter (retryCount));
            return;
        }

        stopTimer();

        // A reply recognised already is on its way to replyReceived.
        if (! listening)
            return;

        listening = false;
    }

    if (portsLeft)
        Alert::show (VerbatimTexts::requestFailedTitle, VerbatimTexts::requestFailedMessage);
    else
        Alert::show (VerbatimTexts::noDeviceTitle, VerbatimTexts::noDeviceMessage);
}

// Runs on the MIDI input thread: it only recognises the reply and copies its bytes.
void DevicePresetRequest::midiMessageReceived (const juce::MidiMessage& message)
{
    if (! message.isSysEx())
        return;

    const auto image = PresetFraming::findPayload (message.getSysExData(), message.getSysExDataSize(),
                                                   PresetLayout::presetReplyCommand);

    if (! image.has_value())
        return;

    {
        const juce::ScopedLock sl (replyLock);

        if (! listening)
            return;

        listening = false;
    }

    juce::MessageManager::callAsync ([weakThis = selfReference, image = *image] {
        if (auto* request = weakThis.get())
            request->replyReceived (image);
    });
}

void DevicePresetRequest::replyReceived (const juce::Array<juce::uint8>& image)
{
    stopTimer();

    if (auto handler = std::exchange (replyHandler, nullptr))
        handler (image);
}
