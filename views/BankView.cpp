#include "BankView.h"

BankView::Bank::Bank (const juce::Array<juce::Component*>& panels)
    : controls (panels)
{
    int i = 0;

    for (auto* panel : controls)
    {
        addAndMakeVisible (panel);
        panel->setTopLeftPosition (40 + i++ * panel->getWidth(), 0);
    }
}

BankView::Bank::~Bank() = default;

void BankView::Bank::resized() {}

//==============================================================================
BankView::BankView (std::unique_ptr<juce::Button>& next, std::unique_ptr<juce::Button>& previous)
    : nextButton (std::move (next)),
      previousButton (std::move (previous))
{
    addArrow (nextButton.get());
    addArrow (previousButton.get());
}

BankView::~BankView()
{
    banks.clear();
    previousButton.reset();
    nextButton.reset();
}

void BankView::addArrow (juce::Button* arrow)
{
    if (arrow == nullptr)
        return;

    arrow->setAlwaysOnTop (true);
    arrow->setWantsKeyboardFocus (false);
    arrow->addListener (this);
    addChildComponent (arrow);
}

void BankView::setControls (const juce::Array<juce::Component*>& panels)
{
    controls.addArray (panels);
    rebuildBanks();
}

void BankView::setControlsPerBank (int numPerBank)
{
    controlsPerBank = numPerBank;
    rebuildBanks();
}

void BankView::rebuildBanks()
{
    banks.clear();

    if (controlsPerBank <= 0)
        return;

    bankCount = (int) std::ceil ((float) controls.size() / (float) controlsPerBank);

    for (int b = 0; b < bankCount - 1; ++b)
        addBank (juce::Array<juce::Component*> (controls.begin() + b * controlsPerBank, controlsPerBank));

    const auto lastStart = (bankCount - 1) * controlsPerBank;

    if (lastStart >= 0 && lastStart < controls.size())
        addBank (juce::Array<juce::Component*> (controls.begin() + lastStart, controls.size() - lastStart));

    resized();
}

void BankView::addBank (const juce::Array<juce::Component*>& panels)
{
    auto* bank = banks.add (new Bank (panels));
    bank->setWantsKeyboardFocus (false);
    addChildComponent (bank);
}

void BankView::resized()
{
    for (auto* bank : banks)
        bank->setVisible (false);

    if (auto* bank = banks[currentBank])
    {
        bank->setBounds (0, 0, 1200, 200);
        bank->setVisible (true);
    }

    if (banks.size() >= 2)
    {
        if (nextButton != nullptr)
        {
            nextButton->setTopLeftPosition (1170, 0);
            nextButton->setVisible (true);
        }

        if (previousButton != nullptr)
        {
            previousButton->setTopLeftPosition (10, 0);
            previousButton->setVisible (true);
        }
    }
}

void BankView::showBank (int index)
{
    if (juce::isPositiveAndBelow (index, bankCount))
    {
        currentBank = index;
        resized();
    }
}

void BankView::buttonClicked (juce::Button* button)
{
    if (button == nullptr)
        return;

    if (button == nextButton.get())
    {
        if (currentBank + 1 < bankCount)
        {
            ++currentBank;
            resized();
        }
    }
    else if (button == previousButton.get())
    {
        if (currentBank > 0)
        {
            --currentBank;
            resized();
        }
    }
}
