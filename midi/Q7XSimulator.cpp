#include "Q7XSimulator.h"

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

const juce::String Q7XSimulator::portName ("Q7X Simulator");

Q7XSimulator::Q7XSimulator (InMemoryMidiBackend& backendToUse)
    : juce::Thread ("Q7X Simulator"),
      backend (backendToUse),
      inputDevice (backend.addInput (portName)),
      outputDevice (backend.addOutput (portName)),
      preset (getDefaultPresetImage())
{
    backend.setOutputReceiver (outputDevice, [this] (const juce::MidiMessage& m) { received (m); });
    startThread();
}

Q7XSimulator::~Q7XSimulator()
{
    backend.setOutputReceiver (outputDevice, {});
    backend.removeInput (inputDevice);
    backend.removeOutput (outputDevice);
    stopThread (-1);
}

void Q7XSimulator::setReplyKind (ReplyKind kind)
{
    const juce::ScopedLock sl (lock);
    replyKind = kind;
}

void Q7XSimulator::setReplyDelay (int milliseconds)
{
    const juce::ScopedLock sl (lock);
    replyDelay = juce::jmax (0, milliseconds);
}

void Q7XSimulator::setReplyPieces (int numPieces)
{
    const juce::ScopedLock sl (lock);
    replyPieces = juce::jmax (1, numPieces);
}

juce::Array<juce::uint8> Q7XSimulator::getPreset() const
{
    const juce::ScopedLock sl (lock);
    return preset;
}

void Q7XSimulator::setPreset (const juce::Array<juce::uint8>& image)
{
    jassert (image.size() == presetImageSize);
    const juce::ScopedLock sl (lock);
    preset = image;
}

std::optional<juce::MidiMessage> Q7XSimulator::createAnswer() const
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

void Q7XSimulator::received (const juce::MidiMessage& message)
{
    const auto dumped = findPayload (message, presetDumpCommand);

    if (dumped.has_value() && dumped->size() == presetImageSize)
    {
        setPreset (*dumped);
        ++numDumps;
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

bool Q7XSimulator::hasAnsweredAll() const
{
    const juce::ScopedLock sl (lock);
    return pending.empty() && ! answering;
}

std::optional<Q7XSimulator::PendingAnswer> Q7XSimulator::takeRequest()
{
    const juce::ScopedLock sl (lock);
    answering = ! pending.empty();

    if (! answering)
        return std::nullopt;

    auto next = std::move (pending.front());
    pending.pop_front();
    return next;
}

void Q7XSimulator::run()
{
    while (! threadShouldExit())
    {
        const auto request = takeRequest();

        if (! request.has_value())
        {
            wait (-1);
            continue;
        }

        // New requests wake the thread too, so wait out the whole delay.
        const auto answerTime = juce::Time::getMillisecondCounter() + (juce::uint32) request->delay;

        for (auto now = juce::Time::getMillisecondCounter(); now < answerTime; now = juce::Time::getMillisecondCounter())
        {
            wait ((int) (answerTime - now));

            if (threadShouldExit())
                return;
        }

        if (request->answer.has_value())
            backend.deliver (inputDevice, *request->answer, request->pieces);
    }
}
