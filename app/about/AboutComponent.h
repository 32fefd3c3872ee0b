#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The content of the About window: the picture, the version and two notice lines.
    A click anywhere closes the window it sits in.
*/
class AboutComponent : public juce::Component
{
public:
    /** Shows `picture` (not owned; null leaves the component empty) at its own size. */
    explicit AboutComponent (const juce::Image* picture);
    ~AboutComponent() override;

    /** The version line, or null without a picture. */
    const juce::Label* getVersionLabel() const noexcept { return versionLabel.get(); }

    /** The two notice lines under the version. */
    static const char* const firstNoticeLine;
    static const char* const secondNoticeLine;

    /** @internal */
    void mouseUp (const juce::MouseEvent& event) override;
    /** @internal */
    void paint (juce::Graphics& g) override;

private:
    const juce::Image* picture;
    std::unique_ptr<juce::Label> versionLabel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AboutComponent)
};
