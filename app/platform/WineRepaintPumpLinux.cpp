#include "WineRepaintPump.h"

bool WineRepaintPump::isRunningUnderWine()
{
    return false;
}
