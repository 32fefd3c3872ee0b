#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The light behind a control panel's title that shows the hardware control was just
    touched: a pill of colour under the title's text, lit for about a second.
    It is a child of the panel, behind every other one, and takes no clicks or focus.
*/
class TitleLight : public juce::Component,
                   private juce::Timer
{
public:
    /** Places itself behind the title of `panel` (a QControlView), dark until lit. */
    explicit TitleLight (juce::Component& panel, juce::Rectangle<int> titleText);
    ~TitleLight() override;

    /** Lights up, or stays lit for another full period when already lit. */
    void light();

    bool isLit() const noexcept { return isVisible(); }

    /** The panel it lights, or null once the panel has gone. */
    juce::Component* getPanel() const noexcept { return panel.getComponent(); }

    static constexpr int litMs = 1000;

    /** The colour of the light; the title's white text stays readable on it. */
    static const juce::Colour colour;

    void paint (juce::Graphics& g) override;

private:
    void timerCallback() override;

    juce::Component::SafePointer<juce::Component> panel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TitleLight)
};
