#pragma once

#include "BankView.h"
#include "QControlReferenceData.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    One control section of the editor: all panels of one group of controls, shown
    through a BankView four at a time. Owns the panels and their reference data.
*/
class QControlLayoutView : public juce::Component
{
public:
    /** Takes ownership of the panels and of the reference data they share. */
    QControlLayoutView (const juce::Array<juce::Component*>& panels, QControlReferenceData* referenceData);

    /** Takes ownership of the panels and of several reference data objects (the wheels use two kinds). */
    QControlLayoutView (const juce::Array<juce::Component*>& panels,
                        const juce::Array<QControlReferenceData*>& referenceDatas);

    ~QControlLayoutView() override;

    /** The bank view paging the panels. */
    BankView& getBankView() const noexcept { return *bankView; }

    /** The panels, in order. */
    const juce::OwnedArray<juce::Component>& getControlViews() const noexcept { return controlViews; }

    /** The images of the paging arrows, decoded ahead for sections made later. */
    static juce::Array<juce::Image> getArrowImages();

    /** The panels one bank shows. */
    static constexpr int panelsPerBank = 4;

private:
    std::unique_ptr<BankView> bankView;
    juce::OwnedArray<juce::Component> controlViews;
    juce::OwnedArray<QControlReferenceData> referenceDatas;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QControlLayoutView)
};
