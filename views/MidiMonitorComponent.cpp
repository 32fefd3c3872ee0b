#include "MidiMonitorComponent.h"

juce::Font MidiMonitorComponent::lineFont()
{
    return { juce::Font::getDefaultMonospacedFontName(), 13.0f, juce::Font::plain };
}

MidiMonitorComponent::MidiMonitorComponent (MidiManager& manager)
    : midiManager (manager)
{
    list.setRowHeight (rowHeight);
    list.setColour (juce::ListBox::backgroundColourId, juce::Colours::white);
    list.setMultipleSelectionEnabled (false);
    addAndMakeVisible (list);

    pauseButton.setClickingTogglesState (true);
    pauseButton.onClick = [this] { log.setPaused (pauseButton.getToggleState()); };
    clearButton.onClick = [this] { clearLines(); };
    copyButton.onClick = [this] { juce::SystemClipboard::copyTextToClipboard (log.getText()); };

    for (auto* button : { &pauseButton, &clearButton, &copyButton })
    {
        button->setName (button->getButtonText());
        addAndMakeVisible (button);
    }

    log.onTrafficWaiting = [this] { triggerAsyncUpdate(); };
    midiManager.setTrafficListener (&log);
    setSize (760, 420);
}

MidiMonitorComponent::~MidiMonitorComponent()
{
    // Once this returns the MIDI thread no longer reaches the log.
    midiManager.setTrafficListener (nullptr);
    cancelPendingUpdate();
    stopTimer();
}

void MidiMonitorComponent::resized()
{
    auto area = getLocalBounds().reduced (margin);
    auto buttons = area.removeFromBottom (buttonHeight);
    area.removeFromBottom (margin);
    list.setBounds (area);

    for (auto* button : { &pauseButton, &clearButton, &copyButton })
    {
        button->setBounds (buttons.removeFromLeft (buttonWidth));
        buttons.removeFromLeft (margin);
    }
}

void MidiMonitorComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xfff0f0f0));
}

int MidiMonitorComponent::getNumRows()
{
    return log.getNumLines();
}

void MidiMonitorComponent::paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool selected)
{
    if (! juce::isPositiveAndBelow (row, log.getNumLines()))
        return;

    if (selected)
        g.fillAll (juce::Colour (0xffd6e8f7));

    g.setColour (juce::Colours::black);
    g.setFont (lineFont());
    g.drawText (log.getLine (row), 4, 0, width - 8, height, juce::Justification::centredLeft, true);
}

// A burst of messages updates the list once now and then at most once a frame.
void MidiMonitorComponent::handleAsyncUpdate()
{
    const auto sinceLast = juce::Time::getMillisecondCounter() - lastShown;

    if (sinceLast >= (juce::uint32) frameIntervalMs)
        showWaitingTraffic();
    else if (! isTimerRunning())
        startTimer (frameIntervalMs - (int) sinceLast);
}

void MidiMonitorComponent::timerCallback()
{
    stopTimer();
    showWaitingTraffic();
}

void MidiMonitorComponent::showWaitingTraffic()
{
    lastShown = juce::Time::getMillisecondCounter();
    log.showWaitingTraffic();
    list.updateContent();
    list.scrollToEnsureRowIsOnscreen (log.getNumLines() - 1);
    list.repaint();
}

void MidiMonitorComponent::clearLines()
{
    log.clear();
    list.updateContent();
    list.repaint();
}
