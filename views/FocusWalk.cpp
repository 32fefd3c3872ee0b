#include "FocusWalk.h"
#include "QControlLayoutView.h"

FocusWalk::FocusWalk (juce::Component& r)
    : root (r)
{
}

std::vector<juce::Component*> FocusWalk::getOrder() const
{
    return root.createKeyboardFocusTraverser()->getAllComponents (&root);
}

BankView* FocusWalk::getShownBankView() const
{
    for (auto* child : root.getChildren())
        if (auto* layout = dynamic_cast<QControlLayoutView*> (child); layout != nullptr && layout->isVisible())
            return &layout->getBankView();

    return nullptr;
}

void FocusWalk::focusEnd (bool first) const
{
    const auto order = getOrder();

    if (! order.empty())
        (first ? order.front() : order.back())->grabKeyboardFocus();
}

bool FocusWalk::move (bool forwards)
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();
    const auto order = getOrder();

    if (order.empty())
        return false;

    if (focused == nullptr || ! root.isParentOf (focused))
    {
        focusEnd (forwards);
        return true;
    }

    const auto atEnd = forwards ? order.back() == focused : order.front() == focused;
    auto* banks = getShownBankView();

    // Leaving one bank, the walk goes on in the next one, so every pad is reached.
    if (atEnd && banks != nullptr && banks->getNumBanks() > 1)
    {
        const auto count = banks->getNumBanks();
        banks->showBank ((banks->getCurrentBank() + (forwards ? 1 : count - 1)) % count);
        focusEnd (forwards);
        return true;
    }

    focused->moveKeyboardFocusToSibling (forwards);
    return true;
}
