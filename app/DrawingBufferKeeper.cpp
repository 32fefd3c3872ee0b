#include "DrawingBufferKeeper.h"

DrawingBufferKeeper::DrawingBufferKeeper (juce::Component& windowToKeep)
    : window (windowToKeep)
{
}

DrawingBufferKeeper::~DrawingBufferKeeper()
{
    stopTimer();
}

void DrawingBufferKeeper::setKeeping (bool shouldKeep)
{
    if (! shouldKeep)
    {
        stopTimer();
        return;
    }

    if (auto* peer = window.getPeer())
    {
        // One pixel painted now is enough to give the window a buffer again.
        window.repaint (0, 0, 1, 1);
        peer->performAnyPendingRepaintsNow();
    }

    startTimer (keepIntervalMs);
}

bool DrawingBufferKeeper::isKeeping() const
{
    return isTimerRunning();
}

void DrawingBufferKeeper::timerCallback()
{
    // Flushing the pending paints, even none, counts as a use of the buffer.
    if (auto* peer = window.getPeer())
        peer->performAnyPendingRepaintsNow();
}
