#include "AboutComponent.h"
#include "assets/AssetImages.h"

const char* const AboutComponent::firstNoticeLine = "Copyright (c) Pelmar. All rights reserved.";
const char* const AboutComponent::secondNoticeLine = "Pelmar, Q Series and Q7X are trademarks of Pelmar.";

AboutComponent::AboutComponent (const juce::Image* pictureToShow)
    : picture (pictureToShow)
{
    if (picture == nullptr)
        return;

    setSize (picture->getWidth(), picture->getHeight());

    versionLabel = std::make_unique<juce::Label> ("new label", TRANS ("Version: ") + JUCE_APPLICATION_VERSION_STRING);
    addAndMakeVisible (*versionLabel);
    versionLabel->setFont (juce::Font (15.0f, juce::Font::plain));
    versionLabel->setJustificationType (juce::Justification::centred);
    versionLabel->setEditable (false, false, false);
    // A click on the version line closes the box like a click anywhere else on it.
    versionLabel->setInterceptsMouseClicks (false, false);
    versionLabel->setColour (juce::Label::textColourId, juce::Colours::black);
    versionLabel->setColour (juce::Label::backgroundColourId, juce::Colours::transparentBlack);
    versionLabel->setBounds (0, getHeight() / 2, getWidth(), 15);
}

AboutComponent::~AboutComponent()
{
    versionLabel.reset();
}

void AboutComponent::mouseUp (const juce::MouseEvent&)
{
    // The window owns this component, so nothing here may be touched afterwards.
    delete getParentComponent();
}

void AboutComponent::paint (juce::Graphics& g)
{
    if (picture == nullptr)
        return;

    AssetImages::draw (g, *picture, getLocalBounds().toFloat());

    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (15.0f, juce::Font::plain));
    g.drawText (firstNoticeLine, 0, 211, getWidth(), 15, juce::Justification::centred, true);
    g.drawText (secondNoticeLine, 0, 227, getWidth(), 15, juce::Justification::centred, true);
}
