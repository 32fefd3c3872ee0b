#include "QControlLayoutView.h"
#include "assets/AssetImages.h"
#include "AssetImageButton.h"

namespace
{
const char* const arrowImageNames[2][3] {
    { "leftArrowNormal", "leftArrowOver", "leftArrowDown" },
    { "rightArrowNormal", "rightArrowOver", "rightArrowDown" },
};

std::unique_ptr<juce::Button> createArrow (const char* const (&names)[3])
{
    auto arrow = std::make_unique<AssetImageButton>();
    const auto normalImage = AssetImages::get (names[0]);

    arrow->setImages (false, false, true,
                      normalImage, 1.0f, juce::Colours::transparentBlack,
                      AssetImages::get (names[1]), 1.0f, juce::Colours::transparentBlack,
                      AssetImages::get (names[2]), 1.0f, juce::Colours::transparentBlack,
                      0.0f);
    arrow->setSize (normalImage.getWidth(), normalImage.getHeight());
    // Paging leaves the keyboard focus where it was instead of moving it into the new bank.
    arrow->setMouseClickGrabsKeyboardFocus (false);
    return arrow;
}
} // namespace

QControlLayoutView::QControlLayoutView (const juce::Array<juce::Component*>& panels, QControlReferenceData* referenceData)
    : QControlLayoutView (panels, juce::Array<QControlReferenceData*> { referenceData })
{
}

QControlLayoutView::QControlLayoutView (const juce::Array<juce::Component*>& panels,
                                        const juce::Array<QControlReferenceData*>& datas)
{
    auto previous = createArrow (arrowImageNames[0]);
    auto next = createArrow (arrowImageNames[1]);
    bankView = std::make_unique<BankView> (next, previous);

    for (auto* data : datas)
        referenceDatas.add (data);

    for (auto* panel : panels)
        controlViews.add (panel);

    bankView->setControls (panels);
    bankView->setControlsPerBank (panelsPerBank);

    bankView->setBounds (0, 0, 1200, 200);
    addAndMakeVisible (bankView.get());
    setSize (1200, 200);
}

juce::Array<juce::Image> QControlLayoutView::getArrowImages()
{
    juce::Array<juce::Image> images;

    for (const auto& names : arrowImageNames)
        for (const auto* name : names)
            images.add (AssetImages::get (name));

    return images;
}

QControlLayoutView::~QControlLayoutView()
{
    controlViews.clear();
    referenceDatas.clear();
    bankView.reset();
}
