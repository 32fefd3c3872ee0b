#include "DevicePresetTransfer.h"

#include "midi/PresetRequestSchedule.h"
#include "preset/PresetFraming.h"

namespace
{
juce::MidiMessage makeSysEx (const juce::Array<juce::uint8>& body)
{
    return juce::MidiMessage::createSysExMessage (body.getRawDataPointer(), body.size());
}

} // namespace

DevicePresetTransfer::DevicePresetTransfer (MidiBackend& backendToUse)
    : backend (backendToUse)
{
}

juce::Result DevicePresetTransfer::send (const juce::MidiDeviceInfo& output, const juce::Array<juce::uint8>& image)
{
    const auto port = backend.openOutput (output.identifier);

    if (port == nullptr)
        return cannotOpen (false, output);

    port->sendMessageNow (makeSysEx (PresetFraming::makeBody (PresetLayout::presetDumpCommand, image)));
    return juce::Result::ok();
}

juce::Result DevicePresetTransfer::cannotOpen (bool isInput, const juce::MidiDeviceInfo& device)
{
    const auto reason = backend.describeOpenFailure (device.identifier, isInput);
    return juce::Result::fail (juce::String ("cannot open the ") + (isInput ? "input" : "output") + " port "
                               + device.name.quoted() + (reason.isEmpty() ? "" : ": " + reason));
}

juce::Result DevicePresetTransfer::fetch (const juce::MidiDeviceInfo& input, const juce::MidiDeviceInfo& output,
                                          juce::Array<juce::uint8>& payload)
{
    {
        const juce::ScopedLock sl (replyLock);
        reply.reset();
    }

    replied.reset();
    numRequestsSent = 0;

    // Listening starts before the first request goes out, so that no answer is missed.
    const auto inputPort = backend.openInput (input.identifier, this);

    if (inputPort == nullptr)
        return cannotOpen (true, input);

    const auto outputPort = backend.openOutput (output.identifier);

    if (outputPort == nullptr)
        return cannotOpen (false, output);

    inputPort->start();

    const auto request = makeSysEx (PresetFraming::makeBody (PresetLayout::presetRequestCommand));
    const auto firstSentAt = juce::Time::getMillisecondCounter();

    // Each wait ends at a time counted from the first request, so the waits add up to
    // exactly the editor's 7000 ms however late a send returns.
    for (int retriesSent = 0;; ++retriesSent)
    {
        outputPort->sendMessageNow (request);
        ++numRequestsSent;

        const auto dueAt = firstSentAt + (juce::uint32) PresetRequestSchedule::tickDueAfterMs (retriesSent);
        const auto now = juce::Time::getMillisecondCounter();

        if (replied.wait (dueAt > now ? (int) (dueAt - now) : 0))
            break;

        if (PresetRequestSchedule::onTick (retriesSent) == PresetRequestSchedule::Tick::giveUp)
            return juce::Result::fail ("no answer from " + output.name.quoted() + " within "
                                       + juce::String (PresetRequestSchedule::giveUpAfterMs) + " ms");
    }

    const juce::ScopedLock sl (replyLock);
    payload = *reply;
    return juce::Result::ok();
}

// On the MIDI service's thread: only the first preset reply counts, as in the editor.
void DevicePresetTransfer::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    if (! message.isSysEx())
        return;

    const auto payload = PresetFraming::findPayload (message.getSysExData(), message.getSysExDataSize(),
                                                     PresetLayout::presetReplyCommand);

    if (! payload.has_value())
        return;

    const juce::ScopedLock sl (replyLock);

    if (! reply.has_value())
    {
        reply = payload;
        replied.signal();
    }
}
