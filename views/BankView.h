#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    Pages a row of control panels: cuts them into banks of a fixed size, shows one bank
    at a time and offers previous and next arrows when there is more than one bank.
    The arrows do not wrap around.
*/
class BankView : public juce::Component,
                 public juce::Button::Listener
{
public:
    /** A plain component that lays its panels out left to right from x = 40. */
    class Bank : public juce::Component
    {
    public:
        /** Adds the panels (not owned) as visible children. */
        explicit Bank (const juce::Array<juce::Component*>& panels);
        ~Bank() override;

        void resized() override;

    private:
        juce::Array<juce::Component*> controls;

        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Bank)
    };

    /** Takes over both arrows, leaving the caller's pointers empty; either may be null. */
    BankView (std::unique_ptr<juce::Button>& next, std::unique_ptr<juce::Button>& previous);
    ~BankView() override;

    /** Appends panels (not owned) and rebuilds the banks. */
    void setControls (const juce::Array<juce::Component*>& panels);

    /** Sets the bank size and rebuilds the banks; 0 builds none. */
    void setControlsPerBank (int numPerBank);

    /** The index of the bank shown. */
    int getCurrentBank() const noexcept { return currentBank; }

    /** The number of banks. */
    int getNumBanks() const noexcept { return banks.size(); }

    /** Shows the bank of that index, as the arrows would step to it; other indexes change nothing. */
    void showBank (int index);

    /** The bank at an index, or null. */
    Bank* getBank (int index) const noexcept { return banks[index]; }

    juce::Button* getNextButton() const noexcept { return nextButton.get(); }
    juce::Button* getPreviousButton() const noexcept { return previousButton.get(); }

    void resized() override;

    /** @internal */
    void buttonClicked (juce::Button* button) override;

private:
    void addArrow (juce::Button* arrow);
    void rebuildBanks();
    void addBank (const juce::Array<juce::Component*>& panels);

    int currentBank = 0;
    int bankCount = 0;
    int controlsPerBank = 0;
    std::unique_ptr<juce::Button> nextButton;
    std::unique_ptr<juce::Button> previousButton;
    juce::Array<juce::Component*> controls;
    juce::OwnedArray<Bank> banks;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BankView)
};
