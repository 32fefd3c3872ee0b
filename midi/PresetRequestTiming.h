#pragma once

/**
    How a preset request is repeated until the device answers: the editor's and
    q7x-preset's pacing. The request goes out, then again after the first delay and
    after every further delay, up to maxRetries times; one delay after the last one the
    request is given up.
*/
struct PresetRequestTiming
{
    static constexpr int firstRetryDelayMs = 1000;
    static constexpr int retryDelayMs = 750;
    static constexpr int maxRetries = 8;

    /** From the first request to giving up: 7000 ms. */
    static constexpr int giveUpAfterMs = firstRetryDelayMs + maxRetries * retryDelayMs;

    /** When the given retry (1 to maxRetries) goes out, or the request is given up
        (maxRetries + 1), counted from the first request. */
    static constexpr int dueAfterMs (int retry) { return firstRetryDelayMs + (retry - 1) * retryDelayMs; }
};
