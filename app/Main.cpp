#include "app/platform/ApplicationEntry.h"
#include "app/look/BackgroundFontScan.h"
#include "PelmarQSeriesEditorApplication.h"
#include "preset/EditorTexts.h"

#include <cstdio>

namespace
{
SingleInstance* singleInstance = nullptr;
BackgroundFontScan* fontScan = nullptr;

juce::JUCEApplicationBase* createApplication()
{
    return new PelmarQSeriesEditorApplication (singleInstance, fontScan);
}
} // namespace

int main (int argc, char* argv[])
{
    const auto arguments = ApplicationEntry::getArguments (argc, argv);

    // Before anything else, so that a second launch hands its file over and leaves at once.
    SingleInstance instance (InstanceEndpoint::getDefaultAddress());
    const auto commandLine = SingleInstance::joinArguments (arguments);
    juce::String problem;
    const auto handedOver = SingleInstance::makePathAbsolute (commandLine, problem);

    // A relative path with no working folder to take it from names no file: opening or saving
    // one elsewhere would lose the user's work.
    if (! handedOver.has_value())
    {
        std::fprintf (stderr, "q7x-editor: %s: %s\n", commandLine.trim().unquoted().toRawUTF8(), problem.toRawUTF8());
        return 1;
    }

    switch (instance.claim (*handedOver))
    {
        case SingleInstance::Role::handedOver: return 0;
        case SingleInstance::Role::running: singleInstance = &instance; break;
        case SingleInstance::Role::unanswered:
        case SingleInstance::Role::unavailable: break;
    }

    if (instance.getProblem().isNotEmpty())
        std::fprintf (stderr, "q7x-editor: %s\n", instance.getProblem().toRawUTF8());

    if (! ApplicationEntry::hasDisplay())
    {
        std::fprintf (stderr, "q7x-editor: %s\n", EditorTexts::noDisplay);
        return 1;
    }

    BackgroundFontScan scan;
    fontScan = &scan;

    juce::JUCEApplicationBase::createInstance = &createApplication;
    return ApplicationEntry::runApplication (argv[0], arguments);
}
