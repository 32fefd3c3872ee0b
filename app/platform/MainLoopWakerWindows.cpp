#include "MainLoopWaker.h"

// Windows' message loop sees the quit message by itself: nothing to wake.
MainLoopWaker::MainLoopWaker() = default;
MainLoopWaker::~MainLoopWaker() = default;
void MainLoopWaker::wake() {}
