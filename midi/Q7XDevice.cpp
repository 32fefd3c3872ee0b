#include "Q7XDevice.h"

#include "preset/PresetFraming.h"

namespace
{
using namespace PresetLayout;

std::optional<juce::Array<juce::uint8>> findPayload (const juce::MidiMessage& message, juce::uint8 command)
{
    if (! message.isSysEx())
        return std::nullopt;

    return PresetFraming::findPayload (message.getSysExData(), message.getSysExDataSize(), command);
}

juce::MidiMessage makeMessage (juce::uint8 command, const juce::uint8* bytes, int numBytes)
{
    const auto body = PresetFraming::makeBody (command, { bytes, numBytes });
    return juce::MidiMessage::createSysExMessage (body.begin(), body.size());
}
} // namespace

Q7XDevice::Q7XDevice (Transmit transmitToUse)
    : juce::Thread ("Q7X Device"),
      transmit (std::move (transmitToUse)),
      preset (getDefaultPresetImage())
{
    startThread();
}

Q7XDevice::~Q7XDevice()
{
    stopThread (-1);
}

void Q7XDevice::setReplyKind (ReplyKind kind)
{
    const juce::ScopedLock sl (lock);
    replyKind = kind;
}

void Q7XDevice::setReplyDelay (int milliseconds)
{
    const juce::ScopedLock sl (lock);
    replyDelay = juce::jmax (0, milliseconds);
}

void Q7XDevice::setReplyPieces (int numPieces)
{
    const juce::ScopedLock sl (lock);
    replyPieces = juce::jmax (1, numPieces);
}

void Q7XDevice::setDumpListener (std::function<void (const juce::Array<juce::uint8>&)> listener)
{
    const juce::ScopedLock sl (lock);
    dumpListener = std::move (listener);
}

juce::Array<juce::uint8> Q7XDevice::getPreset() const
{
    const juce::ScopedLock sl (lock);
    return preset;
}

void Q7XDevice::setPreset (const juce::Array<juce::uint8>& image)
{
    jassert (image.size() == presetImageSize);
    const juce::ScopedLock sl (lock);
    preset = image;
}

std::optional<juce::MidiMessage> Q7XDevice::createAnswer() const
{
    const juce::ScopedLock sl (lock);
    auto image = preset;

    switch (replyKind)
    {
        case ReplyKind::none:
            return std::nullopt;

        case ReplyKind::outOfRangeByte:
        {
            // One more than the keybed's highest MIDI channel: a 7-bit byte, but no channel.
            const auto channel = findParameter ("Keybed MIDI Channel");
            jassert (channel.has_value());
            image.set (channel->offset, (juce::uint8) (channel->getInfo().rawMaximum + 1));
            return makeMessage (presetReplyCommand, image.begin(), image.size());
        }

        case ReplyKind::wrongHeader:
            return makeMessage (presetDumpCommand, image.begin(), image.size());

        case ReplyKind::shortMessage:
            return makeMessage (presetReplyCommand, image.begin(), presetImageSize / 2);

        case ReplyKind::preset:
            break;
    }

    return makeMessage (presetReplyCommand, image.begin(), image.size());
}

void Q7XDevice::received (const juce::MidiMessage& message)
{
    const auto dumped = findPayload (message, presetDumpCommand);

    if (dumped.has_value() && dumped->size() == presetImageSize)
    {
        const juce::ScopedLock sl (lock);
        preset = *dumped;
        ++numDumps;

        if (dumpListener)
            dumpListener (preset);
    }
    else if (findPayload (message, presetRequestCommand).has_value())
    {
        {
            const juce::ScopedLock sl (lock);
            pending.push_back ({ createAnswer(), replyDelay, replyPieces });
        }

        ++numRequests;
        notify();
    }
}

bool Q7XDevice::hasAnsweredAll() const
{
    const juce::ScopedLock sl (lock);
    return pending.empty() && ! answering;
}

std::optional<Q7XDevice::PendingAnswer> Q7XDevice::takeRequest()
{
    const juce::ScopedLock sl (lock);
    answering = ! pending.empty();

    if (! answering)
        return std::nullopt;

    auto next = std::move (pending.front());
    pending.pop_front();
    return next;
}

// New requests wake the thread too, so this waits out the whole delay; false when the thread must stop.
bool Q7XDevice::waitUntil (juce::uint32 answerTime)
{
    for (auto now = juce::Time::getMillisecondCounter(); now < answerTime; now = juce::Time::getMillisecondCounter())
    {
        wait ((int) (answerTime - now));

        if (threadShouldExit())
            return false;
    }

    return true;
}

void Q7XDevice::run()
{
    while (! threadShouldExit())
    {
        const auto request = takeRequest();

        if (! request.has_value())
        {
            wait (-1);
            continue;
        }

        if (! waitUntil (juce::Time::getMillisecondCounter() + (juce::uint32) request->delay))
            return;

        if (request->answer.has_value())
            transmit (*request->answer, request->pieces);
    }
}
