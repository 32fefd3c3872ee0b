#pragma once

#include "AboutComponent.h"

/** The About box: a window without a title bar that closes itself when clicked.
    The window manager sees it only through a weak reference.
*/
class AboutWindow : public juce::ResizableWindow
{
public:
    /** Builds the window, centres it and shows it. */
    AboutWindow();
    ~AboutWindow() override;

    /** None: the picture is the whole window. */
    juce::BorderSize<int> getBorderThickness() override;

    /** Escape closes the box, as a click on it does. */
    bool keyPressed (const juce::KeyPress& key) override;

private:
    juce::Image picture;

    JUCE_DECLARE_WEAK_REFERENCEABLE (AboutWindow)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutWindow)
};
