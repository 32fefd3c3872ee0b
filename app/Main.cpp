#include <juce_gui_basics/juce_gui_basics.h>
#include <cstdio>
#include <cstdlib>

namespace
{
/** The editor's first window, until the real application takes over. */
class PlaceholderApplication final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override    { return "Pelmar Q7X Editor"; }
    const juce::String getApplicationVersion() override { return "1.0.4"; }

    void initialise (const juce::String&) override
    {
        window = std::make_unique<juce::DocumentWindow> ("Pelmar Q7X Editor - Untitled 1",
                                                         juce::Colour (0xff999999),
                                                         juce::DocumentWindow::minimiseButton
                                                           | juce::DocumentWindow::closeButton);
        window->setUsingNativeTitleBar (true);
        window->centreWithSize (1200, 700);
        window->setVisible (true);
    }

    void shutdown() override { window.reset(); }

private:
    std::unique_ptr<juce::DocumentWindow> window;
};

bool hasDisplay()
{
   #if JUCE_LINUX || JUCE_BSD
    auto isSet = [] (const char* name) { auto* v = std::getenv (name); return v != nullptr && *v != 0; };
    return isSet ("DISPLAY");
   #else
    return true;
   #endif
}

juce::JUCEApplicationBase* createApplication() { return new PlaceholderApplication(); }
} // namespace

int main (int argc, char* argv[])
{
    if (! hasDisplay())
    {
        std::fprintf (stderr, "q7x-editor: no X display to show the editor on (DISPLAY is not set).\n"
                              "Run it inside a desktop session, or start Xvfb and set DISPLAY.\n");
        return 1;
    }

    juce::JUCEApplicationBase::createInstance = &createApplication;
    return juce::JUCEApplicationBase::main (argc, (const char**) argv);
}
