#include "MainLoopWaker.h"

#include <fcntl.h>
#include <unistd.h>

MainLoopWaker::MainLoopWaker()
{
    if (::pipe (pipeEnds) != 0)
        return;

    for (auto end : pipeEnds)
        ::fcntl (end, F_SETFL, ::fcntl (end, F_GETFL) | O_NONBLOCK);

    juce::LinuxEventLoop::registerFdCallback (pipeEnds[0], [] (int fd) {
        char bytes[16];
        while (::read (fd, bytes, sizeof (bytes)) > 0) {}
    });
}

MainLoopWaker::~MainLoopWaker()
{
    if (pipeEnds[0] < 0)
        return;

    juce::LinuxEventLoop::unregisterFdCallback (pipeEnds[0]);
    ::close (pipeEnds[0]);
    ::close (pipeEnds[1]);
}

void MainLoopWaker::wake()
{
    if (pipeEnds[1] >= 0)
        [[maybe_unused]]
        const auto written = ::write (pipeEnds[1], "", 1);
}
