#include "ControlSelector.h"
#include "AssetImageComponent.h"

ControlSelector::ControlSelector (const juce::Array<juce::Button*>& buttonsToOwn, unsigned selectorKind)
{
    for (auto* button : buttonsToOwn)
    {
        button->setWantsKeyboardFocus (false);
        addAndMakeVisible (button);
        buttons.add (button);
        button->toFront (false);
    }

    if (selectorKind == rowSelector)
    {
        int x = 0;

        for (auto* button : buttons)
        {
            button->setTopLeftPosition (x, 0);
            x += button->getWidth();
        }
    }

    setSize (1200, 40);
}

ControlSelector::~ControlSelector()
{
    background.reset();
    buttons.clear();
}

void ControlSelector::setBackgroundImage (const juce::Image& image)
{
    background = std::make_unique<AssetImageComponent>();
    background->setImage (image);
    background->setBounds (getLocalBounds());
    addAndMakeVisible (background.get());
    background->toBack();
}

void ControlSelector::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}

void ControlSelector::resized() {}
