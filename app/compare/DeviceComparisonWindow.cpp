#include "DeviceComparisonWindow.h"

const char* const DeviceComparisonWindow::title = "Compare with Device";
const char* const DeviceComparisonWindow::sameText = "The Q7X holds this preset.";

class DeviceComparisonWindow::Content : public juce::Component
{
public:
    explicit Content (const juce::StringArray& differences)
    {
        text.setMultiLine (true, false);
        text.setReadOnly (true);
        text.setScrollbarsShown (true);
        text.setCaretVisible (false);
        text.setFont (juce::Font (14.0f));
        text.setText (differences.isEmpty() ? juce::String (sameText) : differences.joinIntoString ("\n"));
        addAndMakeVisible (text);

        for (auto* button : { &getButton, &sendButton, &closeButton })
        {
            button->setName (button->getButtonText());
            addAndMakeVisible (button);
        }

        // A short answer gets a small window; a long list scrolls.
        const auto rows = juce::jlimit (1, 16, differences.size());
        setSize (560, rows * 20 + 2 * margin + buttonHeight + margin + 12);
    }

    void resized() override
    {
        auto area = getLocalBounds().reduced (margin);
        auto buttons = area.removeFromBottom (buttonHeight);
        area.removeFromBottom (margin);
        text.setBounds (area);

        for (auto* button : { &closeButton, &sendButton, &getButton })
        {
            button->setBounds (buttons.removeFromRight (buttonWidth));
            buttons.removeFromRight (margin);
        }
    }

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colour (0xfff0f0f0)); }

    static constexpr int buttonWidth = 80, buttonHeight = 26, margin = 8;
    juce::TextEditor text;
    juce::TextButton getButton { "Get" }, sendButton { "Send" }, closeButton { "Close" };
};

DeviceComparisonWindow::DeviceComparisonWindow (const juce::StringArray& differences, std::function<void()> onGet,
                                                std::function<void()> onSend)
    : juce::DocumentWindow (title, juce::Colours::lightgrey, juce::DocumentWindow::closeButton, false),
      content (std::make_unique<Content> (differences))
{
    // Each button closes the window last: nothing of it is used after that.
    content->getButton.onClick = [this, onGet] { onGet(); closeButtonPressed(); };
    content->sendButton.onClick = [this, onSend] { onSend(); closeButtonPressed(); };
    content->closeButton.onClick = [this] { closeButtonPressed(); };

    setUsingNativeTitleBar (true);
    setContentNonOwned (content.get(), true);
    centreWithSize (getWidth(), getHeight());
    // On the desktop only once its place is known, so the window system maps it there.
    addToDesktop();
    setVisible (true);
}

DeviceComparisonWindow::~DeviceComparisonWindow()
{
    clearContentComponent();
}

juce::String DeviceComparisonWindow::getText() const
{
    return content->text.getText();
}

juce::Button& DeviceComparisonWindow::getButton (const juce::String& name)
{
    for (auto* button : { &content->getButton, &content->sendButton, &content->closeButton })
        if (button->getName() == name)
            return *button;

    jassertfalse;
    return content->closeButton;
}

void DeviceComparisonWindow::closeButtonPressed()
{
    // Its document sees the window only through a safe pointer.
    delete this;
}
