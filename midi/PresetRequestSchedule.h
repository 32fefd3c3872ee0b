#pragma once

/**
    When a preset request goes out again and when it is given up, for the editor's timer
    and for q7x-preset's wait alike. The first request goes out at once; a tick ends each
    wait, the first after 1000 ms and every further one after 750 ms. A tick re-sends the
    request until 8 retries have gone out; the tick after the last retry gives up, 7000 ms
    after the first request.

    It keeps no state: its user counts the retries it has sent and asks what comes next.
*/
struct PresetRequestSchedule
{
    static constexpr int firstRetryDelayMs = 1000;
    static constexpr int retryDelayMs = 750;
    static constexpr int maxRetries = 8;

    /** From the first request to giving up. */
    static constexpr int giveUpAfterMs = firstRetryDelayMs + maxRetries * retryDelayMs;

    /** What a tick does. */
    enum class Tick
    {
        resend,
        giveUp
    };

    /** What the tick ending the current wait does once `retriesSent` retries have gone out. */
    static constexpr Tick onTick (int retriesSent) { return retriesSent < maxRetries ? Tick::resend : Tick::giveUp; }

    /** The wait from the last request sent to the next tick, once `retriesSent` retries have gone out. */
    static constexpr int waitAfter (int retriesSent) { return retriesSent == 0 ? firstRetryDelayMs : retryDelayMs; }

    /** When the next tick is due, counted from the first request, once `retriesSent` retries have gone out. */
    static constexpr int tickDueAfterMs (int retriesSent) { return firstRetryDelayMs + retriesSent * retryDelayMs; }
};
