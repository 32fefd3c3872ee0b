#include "midi/PresetRequestSchedule.h"

#include <gtest/gtest.h>
#include <vector>

// The editor's timer waits from tick to tick; q7x-preset waits for times counted from the first
// request. Walked either way, an unanswered request goes out at the same times and is given up
// at the same time.

namespace
{
struct Walk
{
    std::vector<int> requestsSentAt { 0 };
    int givenUpAt = -1;
};

Walk walkWithRelativeWaits()
{
    Walk walk;
    int retriesSent = 0, now = PresetRequestSchedule::waitAfter (retriesSent);

    while (PresetRequestSchedule::onTick (retriesSent) == PresetRequestSchedule::Tick::resend && retriesSent < 100)
    {
        ++retriesSent;
        walk.requestsSentAt.push_back (now);
        now += PresetRequestSchedule::waitAfter (retriesSent);
    }

    walk.givenUpAt = now;
    return walk;
}

Walk walkWithDueTimes()
{
    Walk walk;

    for (int retriesSent = 0; retriesSent < 100; ++retriesSent)
    {
        const auto tickAt = PresetRequestSchedule::tickDueAfterMs (retriesSent);

        if (PresetRequestSchedule::onTick (retriesSent) == PresetRequestSchedule::Tick::giveUp)
        {
            walk.givenUpAt = tickAt;
            break;
        }

        walk.requestsSentAt.push_back (tickAt);
    }

    return walk;
}
} // namespace

TEST (PresetRequestSchedule, NineRequestsThenGiveUpAtSevenSeconds)
{
    const std::vector<int> expectedSentAt { 0, 1000, 1750, 2500, 3250, 4000, 4750, 5500, 6250 };

    for (const auto& walk : { walkWithRelativeWaits(), walkWithDueTimes() })
    {
        EXPECT_EQ (walk.requestsSentAt, expectedSentAt);
        EXPECT_EQ (walk.givenUpAt, 7000);
    }

    EXPECT_EQ (PresetRequestSchedule::giveUpAfterMs, 7000);
    EXPECT_EQ (PresetRequestSchedule::maxRetries, 8);
}
