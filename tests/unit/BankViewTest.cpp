#include "views/BankView.h"
#include "views/ControlSelector.h"
#include "ViewTestHelpers.h"

#include <gtest/gtest.h>

namespace
{
struct Panels
{
    explicit Panels (int count, int width = 280)
    {
        for (int i = 0; i < count; ++i)
        {
            auto* panel = owned.add (new juce::Component ("Panel " + juce::String (i + 1)));
            panel->setSize (width, 211);
            pointers.add (panel);
        }
    }

    juce::OwnedArray<juce::Component> owned;
    juce::Array<juce::Component*> pointers;
};

struct PagedView
{
    explicit PagedView (int panelCount)
        : panels (panelCount)
    {
        std::unique_ptr<juce::Button> next (new juce::TextButton ("next"));
        std::unique_ptr<juce::Button> previous (new juce::TextButton ("previous"));
        next->setSize (17, 26);
        previous->setSize (17, 26);

        view = std::make_unique<BankView> (next, previous);
        EXPECT_EQ (next, nullptr);
        EXPECT_EQ (previous, nullptr);

        view->setControls (panels.pointers);
        view->setControlsPerBank (4);
        view->setBounds (0, 0, 1200, 200);
    }

    // Panels that can be seen: shown, in a shown bank.
    juce::StringArray visiblePanels() const
    {
        juce::StringArray names;

        for (auto* panel : panels.owned)
            if (panel->isShowing() || (panel->isVisible() && panel->getParentComponent()->isVisible()))
                names.add (panel->getName());

        return names;
    }

    void click (juce::Button* button) { view->buttonClicked (button); }

    Panels panels;
    std::unique_ptr<BankView> view;
};
} // namespace

TEST (BankView, EightPanelsPageInTwoBanksWithoutWrapping)
{
    PagedView paged (8);
    auto& view = *paged.view;

    ASSERT_EQ (view.getNumBanks(), 2);
    EXPECT_EQ (paged.visiblePanels(), juce::StringArray ("Panel 1", "Panel 2", "Panel 3", "Panel 4"));
    EXPECT_TRUE (view.getNextButton()->isVisible());
    EXPECT_TRUE (view.getPreviousButton()->isVisible());
    EXPECT_EQ (view.getNextButton()->getPosition(), juce::Point<int> (1170, 0));
    EXPECT_EQ (view.getPreviousButton()->getPosition(), juce::Point<int> (10, 0));

    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (paged.panels.owned[i]->getPosition(), juce::Point<int> (40 + 280 * i, 0));

    paged.click (view.getNextButton());
    EXPECT_EQ (view.getCurrentBank(), 1);
    EXPECT_EQ (paged.visiblePanels(), juce::StringArray ("Panel 5", "Panel 6", "Panel 7", "Panel 8"));

    paged.click (view.getNextButton());
    EXPECT_EQ (view.getCurrentBank(), 1);

    paged.click (view.getPreviousButton());
    EXPECT_EQ (paged.visiblePanels(), juce::StringArray ("Panel 1", "Panel 2", "Panel 3", "Panel 4"));

    paged.click (view.getPreviousButton());
    EXPECT_EQ (view.getCurrentBank(), 0);

    juce::TextButton stranger;
    paged.click (&stranger);
    EXPECT_EQ (view.getCurrentBank(), 0);
}

TEST (BankView, OneBankHidesTheArrowsAndLeftoversFormALastBank)
{
    PagedView four (4);
    EXPECT_EQ (four.view->getNumBanks(), 1);
    EXPECT_FALSE (four.view->getNextButton()->isVisible());
    EXPECT_FALSE (four.view->getPreviousButton()->isVisible());

    PagedView nine (9);
    ASSERT_EQ (nine.view->getNumBanks(), 3);
    EXPECT_EQ (nine.view->getBank (2)->getNumChildComponents(), 1);
    nine.click (nine.view->getNextButton());
    nine.click (nine.view->getNextButton());
    EXPECT_EQ (nine.visiblePanels(), juce::StringArray ("Panel 9"));

    PagedView none (0);
    EXPECT_EQ (none.view->getNumBanks(), 0);

    std::unique_ptr<juce::Button> noNext, noPrevious;
    BankView withoutArrows (noNext, noPrevious);
    Panels panels (6);
    withoutArrows.setControls (panels.pointers);
    withoutArrows.setControlsPerBank (4);
    EXPECT_EQ (withoutArrows.getNumBanks(), 2);
}

TEST (ControlSelector, RowSelectorLaysTabsOutFromTheLeft)
{
    juce::Array<juce::Button*> tabs;

    for (auto width : { 175, 170, 170, 170, 170, 170, 175 })
    {
        auto* tab = new juce::TextButton();
        tab->setSize (width, 40);
        tabs.add (tab);
    }

    ControlSelector selector (tabs, ControlSelector::rowSelector);
    juce::Array<int> xs;

    for (auto* tab : selector.getButtons())
    {
        xs.add (tab->getX());
        EXPECT_FALSE (tab->getWantsKeyboardFocus());
    }

    EXPECT_EQ (xs, juce::Array<int> (0, 175, 345, 515, 685, 855, 1025));
    EXPECT_EQ (selector.getBounds(), juce::Rectangle<int> (0, 0, 1200, 40));
}

TEST (ControlSelector, PlacedButtonsStayInFrontOfTheBackgroundAndGapsAreBlack)
{
    auto* hotspot = new juce::TextButton ("hotspot");
    hotspot->setBounds (50, 10, 20, 20);
    hotspot->setColour (juce::TextButton::buttonColourId, juce::Colours::red);

    ControlSelector selector ({ hotspot }, ControlSelector::placedSelector);
    selector.setSize (100, 100);
    selector.setVisible (true);

    juce::Image picture (juce::Image::ARGB, 100, 100, true);
    picture.clear (picture.getBounds(), juce::Colours::green);
    selector.setBackgroundImage (picture);
    selector.setBackgroundImage (picture); // replacing keeps one background

    EXPECT_EQ (hotspot->getPosition(), juce::Point<int> (50, 10));
    EXPECT_EQ (selector.getNumChildComponents(), 2);
    EXPECT_EQ (selector.getComponentAt (60, 20), hotspot);

    const auto withPicture = renderComponent (selector);
    EXPECT_EQ (withPicture.getPixelAt (10, 80), juce::Colours::green);
    EXPECT_GT (withPicture.getPixelAt (60, 20).getRed(), 200); // the red button, not the picture
    EXPECT_LT (withPicture.getPixelAt (60, 20).getGreen(), 100);

    ControlSelector bare ({ new juce::TextButton() }, ControlSelector::placedSelector);
    EXPECT_EQ (renderComponent (bare).getPixelAt (600, 30), juce::Colours::black);
}
