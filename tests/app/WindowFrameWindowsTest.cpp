#include "AppTestSupport.h"
#include "app/platform/WindowFrame.h"
#include "app/WindowManager.h"

namespace
{
using WindowFrameTest = WindowManagerFixture;

// Windows puts a window's content where it is asked to be and draws the caption above it: the
// placement must ask for the content's place, or the caption lands above the work area.
TEST_F (WindowFrameTest, TheFramesCornerNotTheContentIsAtTheCascadePosition)
{
    manager->newDocument();
    auto* peer = manager->getDocument (0)->getPeer();
    ASSERT_NE (peer, nullptr);

    const auto frame = peer->getFrameSizeIfPresent();
    ASSERT_TRUE (frame);
    EXPECT_GE (frame->getTop(), 15) << "a caption";
    EXPECT_EQ (*frame, WindowFrame::getTypicalFrame()) << "the first window is placed with the guessed frame";
    EXPECT_EQ (frame->addedTo (peer->getBounds()).getPosition(), juce::Point<int> (15, 60));
}
} // namespace
