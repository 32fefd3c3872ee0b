#include "TitleLight.h"

const juce::Colour TitleLight::colour { 0xffe07b00 };

TitleLight::TitleLight (juce::Component& panelToLight, juce::Rectangle<int> titleText)
    : panel (&panelToLight)
{
    setInterceptsMouseClicks (false, false);
    setWantsKeyboardFocus (false);
    setBounds (titleText.expanded (8, 1));
    panelToLight.addChildComponent (this, 0);
}

TitleLight::~TitleLight() = default;

void TitleLight::light()
{
    // A light already on asks for no repaint: it looks the same.
    setVisible (true);
    startTimer (litMs);
}

void TitleLight::paint (juce::Graphics& g)
{
    g.setColour (colour);
    g.fillRoundedRectangle (getLocalBounds().toFloat(), (float) getHeight() / 2.0f);
}

void TitleLight::timerCallback()
{
    stopTimer();
    setVisible (false);
}
