#include "MidiMonitorWindow.h"

const char* const MidiMonitorWindow::title = "MIDI Monitor";

MidiMonitorWindow::MidiMonitorWindow (MidiManager& midiManager)
    : juce::DocumentWindow (title, juce::Colours::lightgrey, juce::DocumentWindow::closeButton, true),
      monitor (midiManager)
{
    setUsingNativeTitleBar (true);
    setContentNonOwned (&monitor, true);
    setResizable (true, false);
    setResizeLimits (400, 200, 4096, 4096);
    centreWithSize (getWidth(), getHeight());
    setVisible (true);
}

MidiMonitorWindow::~MidiMonitorWindow()
{
    masterReference.clear();
    clearContentComponent();
}

void MidiMonitorWindow::closeButtonPressed()
{
    // The window manager sees this window only through a weak reference.
    delete this;
}
