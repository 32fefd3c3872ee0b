#include "MidiMonitorWindow.h"

const char* const MidiMonitorWindow::title = "MIDI Monitor";

MidiMonitorWindow::MidiMonitorWindow (MidiManager& midiManager)
    : juce::DocumentWindow (title, juce::Colours::lightgrey, juce::DocumentWindow::closeButton, false),
      monitor (midiManager)
{
    setUsingNativeTitleBar (true);
    setContentNonOwned (&monitor, true);
    setResizable (true, false);
    setResizeLimits (400, 200, 4096, 4096);
    centreWithSize (getWidth(), getHeight());
    // On the desktop only once its place is known, so the window system maps it there.
    addToDesktop();
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
