#include "WindowStacking.h"

namespace WindowStacking
{
void keepAbove (juce::Component& dialog, const juce::Component& owner)
{
    auto* dialogPeer = dialog.getPeer();
    auto* ownerPeer = owner.getPeer();

    // No owner window is named here: the dialog is only brought in front of the document.
    if (dialogPeer != nullptr && ownerPeer != nullptr && dialogPeer != ownerPeer)
        dialog.toFront (false);
}
} // namespace WindowStacking
