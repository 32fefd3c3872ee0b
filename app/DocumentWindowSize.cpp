#include "DocumentWindowSize.h"
#include "app/platform/XlibConnection.h"

DocumentWindowSize::DocumentWindowSize (juce::DocumentWindow& windowToSize)
    : window (windowToSize)
{
}

void DocumentWindowSize::setLayoutSize (juce::Point<int> size)
{
    layoutSize = size;
}

void DocumentWindowSize::setDrawingScale (float scale)
{
    scale = juce::jlimit (0.1f, 1.0f, scale);

    if (juce::approximatelyEqual (scale, drawingScale))
        return;

    drawingScale = scale;

    // The native window takes the new size; the layout inside it stays as it is.
    if (auto* peer = window.getPeer())
        peer->updateBounds();

    pin();
    window.repaint();
}

void DocumentWindowSize::beforeLayout()
{
    if (auto* content = window.getContentComponent())
    {
        const juce::ScopedValueSetter<bool> fitting (fittingContent, true);
        content->setTransform ({});
    }
}

void DocumentWindowSize::afterLayout()
{
    fitContentToWindow();
    pin();
}

void DocumentWindowSize::fitContentToWindow()
{
    auto* content = window.getContentComponent();

    if (content == nullptr || layoutSize.x <= 0 || layoutSize.y <= 0)
        return;

    // A size forced on the window scales the whole editor into it; its layout never changes.
    const auto area = window.getContentComponentBorder().subtractedFrom (window.getLocalBounds());
    const auto fit = juce::jmin ((float) area.getWidth() / (float) layoutSize.x,
                                 (float) area.getHeight() / (float) layoutSize.y);
    contentFit = juce::approximatelyEqual (fit, 1.0f) ? 1.0f : juce::jmax (0.01f, fit);

    const juce::ScopedValueSetter<bool> fitting (fittingContent, true);
    content->setBounds (area.getX(), area.getY(), layoutSize.x, layoutSize.y);
    content->setTransform (
        juce::AffineTransform::scale (contentFit, contentFit, (float) area.getX(), (float) area.getY()));
}

void DocumentWindowSize::pin()
{
    auto* peer = window.getPeer();

    if (peer == nullptr || layoutSize.x <= 0)
        return;

    // The size the window has when nothing forces another one, in screen pixels.
    const auto border = window.getContentComponentBorder();
    const auto pixels = (double) window.getDesktopScaleFactor() * peer->getPlatformScaleFactor();
    XlibConnection::get().pinWindowSize ((juce::pointer_sized_uint) peer->getNativeHandle(),
                                         juce::roundToInt ((layoutSize.x + border.getLeftAndRight()) * pixels),
                                         juce::roundToInt ((layoutSize.y + border.getTopAndBottom()) * pixels));
}
