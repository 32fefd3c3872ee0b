#include "AboutWindow.h"
#include "assets/AssetImages.h"

AboutWindow::AboutWindow()
    : juce::ResizableWindow ({}, true),
      picture (AssetImages::get ("aboutBackground"))
{
    setContentOwned (new AboutComponent (&picture), true);
    setUsingNativeTitleBar (false);
    setResizable (false, false);
    centreWithSize (getWidth(), getHeight());
    setAlwaysOnTop (false);
    setVisible (true);
}

AboutWindow::~AboutWindow()
{
    masterReference.clear();
    clearContentComponent();
}

juce::BorderSize<int> AboutWindow::getBorderThickness()
{
    return {};
}

bool AboutWindow::keyPressed (const juce::KeyPress& key)
{
    if (key != juce::KeyPress::escapeKey)
        return juce::ResizableWindow::keyPressed (key);

    // The window manager sees this window only through a weak reference.
    delete this;
    return true;
}
