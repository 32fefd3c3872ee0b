#include "WineRepaintPump.h"

std::unique_ptr<WineRepaintPump> WineRepaintPump::startIfNeeded()
{
    return isRunningUnderWine() ? std::unique_ptr<WineRepaintPump> (new WineRepaintPump()) : nullptr;
}

WineRepaintPump::WineRepaintPump()
{
    startTimerHz (60);
}

WineRepaintPump::~WineRepaintPump()
{
    stopTimer();
}

void WineRepaintPump::timerCallback()
{
    for (int i = 0; i < juce::ComponentPeer::getNumPeers(); ++i)
        juce::ComponentPeer::getPeer (i)->performAnyPendingRepaintsNow();
}
