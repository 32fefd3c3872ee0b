#include "PelmarQSeriesEditorApplication.h"
#include "CommandIDs.h"
#include "DesktopScale.h"
#include "Dialogs.h"
#include "InstalledFiles.h"
#include "InstanceEndpoint.h"
#include "preset/ExternalText.h"
#include "preset/VerbatimTexts.h"

#include <cstdio>

const char* const PelmarQSeriesEditorApplication::userGuideFileName = "Q7X Editor - User Guide - v1.0.pdf";

PelmarQSeriesEditorApplication::PelmarQSeriesEditorApplication (SingleInstance* instance, BackgroundFontScan* scan)
    : singleInstance (instance),
      fontScan (scan)
{
}

PelmarQSeriesEditorApplication::~PelmarQSeriesEditorApplication()
{
    // Before the framework shuts down, even if initialise() never ran.
    if (fontScan != nullptr)
        fontScan->waitUntilDone();
}

const juce::String PelmarQSeriesEditorApplication::getApplicationName()
{
    return JUCE_APPLICATION_NAME_STRING;
}

const juce::String PelmarQSeriesEditorApplication::getApplicationVersion()
{
    return JUCE_APPLICATION_VERSION_STRING;
}

bool PelmarQSeriesEditorApplication::moreThanOneInstanceAllowed()
{
    // Where SingleInstance runs, it takes later launches in; without it the framework's own
    // hand-over does, where it has one.
    return singleInstance != nullptr || ! InstanceEndpoint::frameworkHandsOverLaterLaunches();
}

//==============================================================================
void PelmarQSeriesEditorApplication::initialise (const juce::String& commandLine)
{
    // Connecting to the display runs beside the font scan; everything after it may use text,
    // and the framework must not shut down under a scan still running.
    const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay();

    if (fontScan != nullptr)
        fontScan->waitUntilDone();

    // With DISPLAY naming a server that cannot be reached the framework has no display to place
    // a window on, and would crash doing so.
    if (display == nullptr)
    {
        std::fprintf (stderr, "q7x-editor: cannot reach the X display \"%s\".\n",
                      ExternalText::getEnvironmentVariable ("DISPLAY").toRawUTF8());
        setApplicationReturnValue (1);
        quit();
        return;
    }

    DesktopScale::apply();
    frameClock = FrameClock::startIfNeeded(); // before the first window, whose timer it slows
    mainLoopWaker = std::make_unique<MainLoopWaker>();
    repaintPump = WineRepaintPump::startIfNeeded();
    Dialogs::showAlertsAsMessageBoxes();
    defaultLook = std::make_unique<DefaultLook>();
    juce::LookAndFeel::setDefaultLookAndFeel (defaultLook.get());
    commandManager = std::make_unique<juce::ApplicationCommandManager>();
    mainMenuModel = std::make_unique<MainMenuModel> (commandManager.get());
    commandManager->registerAllCommandsForTarget (this);
    lastFolder = ExternalText::getHomeDirectory();
    appleMenuItems = MainMenuModel::createApplicationMenuItems (commandManager.get());
    windowManager = std::make_unique<WindowManager> (&midiManager, commandManager.get(), lastFolder);

#if JUCE_MAC
    juce::MenuBarModel::setMacMainMenu (mainMenuModel.get(), &appleMenuItems);
#else
    // Without a global menu bar each document shows the menus, and closing the last one quits.
    windowManager->setMenuBarModel (mainMenuModel.get());
    windowManager->onLastDocumentClosed = [this] { quitApplication(); };
#endif

    // The first document: empty, or holding the file named on the command line.
    anotherInstanceStarted (commandLine);

    juce::LookAndFeel::getDefaultLookAndFeel().setUsingNativeAlertWindows (true);

    if (singleInstance != nullptr)
        singleInstance->startListening ([this] (const juce::String& line) { anotherInstanceStarted (line); });
}

void PelmarQSeriesEditorApplication::shutdown()
{
    if (singleInstance != nullptr)
        singleInstance->stopListening();

    windowManager.reset();

#if JUCE_MAC
    juce::MenuBarModel::setMacMainMenu (nullptr);
#endif

    mainMenuModel.reset();
    mainLoopWaker.reset();
    repaintPump.reset();
    frameClock.reset();
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    defaultLook.reset();
}

void PelmarQSeriesEditorApplication::anotherInstanceStarted (const juce::String& commandLine)
{
    if (windowManager == nullptr)
        return;

    const auto trimmed = commandLine.trim();

    // No file (or only options, such as the ones some systems add): an empty document if there is none.
    if (trimmed.isEmpty() || trimmed.startsWith ("-"))
    {
        if (windowManager->getNumDocuments() == 0)
            windowManager->newDocument();

        return;
    }

    // A relative path names a file in the folder the editor was started from, if it still has one.
    juce::String problem;
    const auto file = SingleInstance::fileNamedBy (trimmed, problem);

    if (! file.has_value())
    {
        std::fprintf (stderr, "q7x-editor: %s: %s\n", trimmed.unquoted().toRawUTF8(), problem.toRawUTF8());

        if (windowManager->getNumDocuments() == 0)
            windowManager->newDocument();

        PresetController::showInvalidFileAlert();
        return;
    }

    const auto documentsBefore = windowManager->getNumDocuments();
    windowManager->openFileInActiveDocument (*file);

    // A document loads a missing file silently (a chooser never names one), but a name
    // typed on a command line may be wrong: the document opened for it says so.
    if (! file->existsAsFile() && windowManager->getNumDocuments() > documentsBefore)
        PresetController::showInvalidFileAlert();
}

void PelmarQSeriesEditorApplication::systemRequestedQuit()
{
    if (windowManager == nullptr || windowManager->closeAllDocuments())
        quitApplication();
}

void PelmarQSeriesEditorApplication::quitApplication()
{
    quit();

    if (mainLoopWaker != nullptr)
        mainLoopWaker->wake();
}

//==============================================================================
void PelmarQSeriesEditorApplication::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    commands.addArray ({ CommandIDs::about, CommandIDs::newWindow, CommandIDs::open, CommandIDs::deviceSetup,
                         CommandIDs::closeWindow, CommandIDs::minimize, CommandIDs::bringAllToFront,
                         CommandIDs::openUserGuide, CommandIDs::quit });
}

void PelmarQSeriesEditorApplication::getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    const auto setInfo = [&result] (const char* name, juce::juce_wchar key = 0) {
        CommandIDs::describe (result, name, key);
    };

    switch (commandID)
    {
        case CommandIDs::newWindow: setInfo (VerbatimTexts::newWindowCommand, 'n'); break;
        case CommandIDs::open: setInfo ("Open", 'o'); break;
        case CommandIDs::closeWindow: setInfo ("Close Window", 'w'); break;
        case CommandIDs::quit: setInfo ("Quit", 'q'); break;
        case CommandIDs::about: setInfo ("About"); break;
        case CommandIDs::deviceSetup: setInfo ("Device Setup"); break;
        case CommandIDs::minimize: setInfo ("Minimize", 'm'); break;
        case CommandIDs::bringAllToFront: setInfo ("Bring All to Front"); break;
        case CommandIDs::openUserGuide: setInfo ("Open User Guide", 'h'); break;
        default: break;
    }
}

bool PelmarQSeriesEditorApplication::perform (const juce::ApplicationCommandTarget::InvocationInfo& info)
{
    switch (info.commandID)
    {
        case CommandIDs::newWindow: windowManager->newDocument(); break;
        case CommandIDs::open: openFileWithChooser(); break;
        case CommandIDs::closeWindow: windowManager->closeActiveDocument(); break;
        case CommandIDs::quit: systemRequestedQuit(); break;
        case CommandIDs::about: windowManager->showAbout(); break;
        case CommandIDs::deviceSetup: windowManager->showDeviceSetup(); break;
        case CommandIDs::minimize: windowManager->minimiseActiveDocument(); break;
        case CommandIDs::bringAllToFront: windowManager->bringAllToFront(); break;
        case CommandIDs::openUserGuide: openUserGuide(); break;
        default: break;
    }

    return true;
}

//==============================================================================
void PelmarQSeriesEditorApplication::openFileWithChooser()
{
    if (! windowManager->canOpenAnotherDocument())
    {
        windowManager->newDocument(); // shows the document-limit alert
        return;
    }

    const auto file = Dialogs::get().chooseFileToOpen ("Select Filename to open", lastFolder);

    if (file == juce::File())
        return;

    windowManager->openFileInNewDocument (file);
    lastFolder = file.getParentDirectory();
}

juce::File PelmarQSeriesEditorApplication::getUserGuideFile()
{
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory)
        .getChildFile ("Pelmar/Q7X Editor")
        .getChildFile (userGuideFileName);
}

juce::Array<juce::File> PelmarQSeriesEditorApplication::getBundledUserGuideFiles()
{
    return InstalledFiles::getDocumentPlaces (userGuideFileName);
}

juce::String PelmarQSeriesEditorApplication::getGuideNotOpenedMessage (const juce::File& file)
{
    return "No program could open the User Guide: \r\n" + file.getFullPathName();
}

void PelmarQSeriesEditorApplication::openUserGuide()
{
    const auto guide = getUserGuideFile();

    // The user's own copy wins; the copy that came with the program stands in for a missing one.
    auto candidates = getBundledUserGuideFiles();
    candidates.insert (0, guide);

    for (const auto& candidate : candidates)
    {
        if (candidate.existsAsFile())
        {
            guideOpener.open (candidate);
            return;
        }
    }

    Dialogs::get().showNativeDialog (getApplicationName(),
                                     "Unable to find User Guide: \r\n" + guide.getFullPathName());
}
