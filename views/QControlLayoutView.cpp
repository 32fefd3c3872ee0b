#include "QControlLayoutView.h"
#include "assets/AssetImages.h"
#include "AssetImageButton.h"

namespace
{
std::unique_ptr<juce::Button> createArrow (const char* normal, const char* over, const char* down)
{
    auto arrow = std::make_unique<AssetImageButton>();
    const auto normalImage = AssetImages::get (normal);

    arrow->setImages (false, false, true,
                      normalImage, 1.0f, juce::Colours::transparentBlack,
                      AssetImages::get (over), 1.0f, juce::Colours::transparentBlack,
                      AssetImages::get (down), 1.0f, juce::Colours::transparentBlack,
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
    auto previous = createArrow ("leftArrowNormal", "leftArrowOver", "leftArrowDown");
    auto next = createArrow ("rightArrowNormal", "rightArrowOver", "rightArrowDown");
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

QControlLayoutView::~QControlLayoutView()
{
    controlViews.clear();
    referenceDatas.clear();
    bankView.reset();
}
