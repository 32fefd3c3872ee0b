#include "MainView.h"
#include "KeyboardImageButton.h"
#include "assets/AssetImages.h"

namespace
{
struct PresetButtonInfo
{
    const char* name;
    const char* normalImage;
    const char* overImage;
};

const PresetButtonInfo presetButtonInfos[] {
    { "Load From MIDI", "getPresetButtonNormal", "getPresetButtonOver" },
    { "Save To MIDI", "sendPresetButtonNormal", "sendPresetButtonOver" },
    { "Load From HD", "loadPresetButtonNormal", "loadPresetButtonOver" },
    { "Save To HD", "savePresetButtonNormal", "savePresetButtonOver" },
};

constexpr int buttonGap = 5;
} // namespace

MainView::MainView (juce::Button::Listener* listener)
{
    for (int i = 0; i < (int) std::size (presetButtonInfos); ++i)
    {
        auto* button = presetButtons.add (new KeyboardImageButton());
        addAndMakeVisible (button);
        button->addListener (listener);
    }

    for (int i = 0; i < presetButtons.size(); ++i)
    {
        const auto& info = presetButtonInfos[i];
        const auto normal = AssetImages::get (info.normalImage);

        // The normal image doubles as the pressed one.
        presetButtons[i]->setImages (false, true, true,
                                     normal, 1.0f, juce::Colours::transparentBlack,
                                     AssetImages::get (info.overImage), 1.0f, juce::Colours::transparentBlack,
                                     normal, 1.0f, juce::Colours::transparentBlack,
                                     0.0f);
        presetButtons[i]->setName (info.name);
    }

    setSize (1200, 211);
    setLookAndFeel (&look);

    const auto firstImage = AssetImages::get (presetButtonInfos[0].normalImage);
    int y = 0;

    for (auto* button : presetButtons)
    {
        button->setBounds (buttonGap, y, firstImage.getWidth(), firstImage.getHeight());
        y += firstImage.getHeight() + buttonGap;
    }
}

MainView::~MainView()
{
    setLookAndFeel (nullptr);
}
