#pragma once

#include <juce_core/juce_core.h>

/** An endpoint of the tests' own, gone with `folder`: defined beside each system's own tests. */
juce::String makeTestEndpointAddress (const juce::File& folder);

/** Two launches at once: exactly one of them becomes the running instance, and the other hands
    its command line to it. Defined with the shared tests, used by those of a crashed instance too.
*/
void expectOneOfTwoLaunchesToRun (const juce::String& endpoint);
