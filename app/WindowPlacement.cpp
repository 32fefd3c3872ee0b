#include "WindowPlacement.h"

float WindowPlacement::getFittingScale (juce::Point<int> windowSize, juce::BorderSize<int> frame,
                                        juce::Point<int> available)
{
    const auto roomX = available.x - frame.getLeftAndRight();
    const auto roomY = available.y - frame.getTopAndBottom();

    if (windowSize.x <= roomX && windowSize.y <= roomY)
        return 1.0f;

    // The window's size is kept in layout units and converted to screen pixels and back with
    // rounding; a scale that does not give back the same size would shrink the layout.
    const auto keepsSize = [] (int length, float scale) {
        return juce::roundToInt ((float) juce::roundToInt ((float) length * scale) / scale) == length;
    };

    const auto steps = juce::jmax (windowSize.x, windowSize.y);
    auto step = (int) std::floor ((double) steps * juce::jmin ((double) (roomX - 1) / windowSize.x, (double) (roomY - 1) / windowSize.y));

    for (; step > steps / 10; --step)
    {
        const auto scale = (float) step / (float) steps;

        if (keepsSize (windowSize.x, scale) && keepsSize (windowSize.y, scale))
            return scale;
    }

    return (float) juce::jmax (1, step) / (float) steps;
}

WindowPlacement::Placement WindowPlacement::getPlacement (int counter, juce::Point<int> windowSize,
                                                          juce::BorderSize<int> frame, juce::Rectangle<int> workArea)
{
    const auto scale = getFittingScale (windowSize, frame, { workArea.getWidth(), workArea.getHeight() });
    const juce::Point<int> shownSize (juce::roundToInt ((float) windowSize.x * scale),
                                      juce::roundToInt ((float) windowSize.y * scale));

    const auto cascaded = getCascadePosition (counter, shownSize, workArea);

    // The window system puts the frame's corner at the requested position. A framed window that
    // would reach past the work area from its cascade place is moved in.
    const auto framed = juce::Rectangle<int> (cascaded.x, cascaded.y, shownSize.x + frame.getLeftAndRight(),
                                              shownSize.y + frame.getTopAndBottom());
    const auto topLeft = framed.constrainedWithin (workArea).getPosition();

    // Below a scale of 1, rounding to whole layout units and back gives the same screen pixel.
    return { scale, { juce::roundToInt ((float) topLeft.x / scale), juce::roundToInt ((float) topLeft.y / scale) } };
}

juce::Point<int> WindowPlacement::getCascadePosition (int counter, juce::Point<int> windowSize,
                                                      juce::Rectangle<int> workArea)
{
    const auto positionFor = [] (int step) { return juce::Point<int> (15 * step, 15 * step + 45); };
    const auto fits = [&] (int step) {
        return workArea.contains (juce::Rectangle<int> (positionFor (step), positionFor (step) + windowSize));
    };

    int stepsThatFit = 0;

    while (stepsThatFit < counter && fits (stepsThatFit + 1))
        ++stepsThatFit;

    // The cascade starts again after the last place that fits, but never before as many places
    // as windows may be open: on a small screen the later places are moved inside the work area
    // (getPlacement), each still a step right of the one before, so no two windows share one.
    return positionFor ((counter - 1) % juce::jmax (stepsThatFit, minimumCascadePlaces) + 1);
}
