#pragma once

#include "BackgroundFontScan.h"
#include "DefaultLook.h"
#include "Dialogs.h"
#include "DocumentOpener.h"
#include "EditorMidiBackend.h"
#include "MainLoopWaker.h"
#include "MainMenuModel.h"
#include "SingleInstance.h"
#include "FrameClock.h"
#include "WineRepaintPump.h"
#include "WindowManager.h"

/**
    The editor's application object: owns the MIDI manager, the command manager, the
    menu bar model and the window manager, opens the first document, answers the
    application's commands and asks about every document before it quits.
*/
class PelmarQSeriesEditorApplication : public juce::JUCEApplication
{
public:
    /** `singleInstance` (not owned, may be null) brings in the command lines of later launches;
        `fontScan` (not owned, may be null) is waited for before any text is used.
    */
    explicit PelmarQSeriesEditorApplication (SingleInstance* singleInstance = nullptr,
                                             BackgroundFontScan* fontScan = nullptr);
    ~PelmarQSeriesEditorApplication() override;

    /** Where the user guide is looked for: "Documents/Pelmar/Q7X Editor/" in the user's home. */
    static juce::File getUserGuideFile();

    /** Where the guide that comes with the program may be, in the order they are tried when
        the user has no guide of their own (see InstalledFiles).
    */
    static juce::Array<juce::File> getBundledUserGuideFiles();

    /** The message shown when no program could open the user guide at `file`. */
    static juce::String getGuideNotOpenedMessage (const juce::File& file);

    static const char* const userGuideFileName;

    WindowManager* getWindowManager() const noexcept { return windowManager.get(); }
    juce::ApplicationCommandManager* getCommandManager() const noexcept { return commandManager.get(); }
    MainMenuModel* getMainMenuModel() const noexcept { return mainMenuModel.get(); }
    MidiManager& getMidiManager() noexcept { return midiManager; }
    const juce::File& getLastFolder() const noexcept { return lastFolder; }

    //==============================================================================
    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;
    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;
    void systemRequestedQuit() override;
    void getAllCommands (juce::Array<juce::CommandID>& commands) override;
    void getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) override;
    bool perform (const juce::ApplicationCommandTarget::InvocationInfo& info) override;

private:
    juce::PopupMenu appleMenuItems;
    EditorMidiBackend midiBackend;
    MidiManager midiManager { midiBackend.get() };
    std::unique_ptr<DefaultLook> defaultLook; // for alerts, questions, the file chooser and the menus
    std::unique_ptr<MainMenuModel> mainMenuModel;
    std::unique_ptr<WindowManager> windowManager;
    std::unique_ptr<juce::ApplicationCommandManager> commandManager;
    juce::File lastFolder;
    SingleInstance* singleInstance;
    BackgroundFontScan* fontScan;
    std::unique_ptr<MainLoopWaker> mainLoopWaker;
    std::unique_ptr<WineRepaintPump> repaintPump;
    std::unique_ptr<FrameClock> frameClock;
    DocumentOpener guideOpener { [] (const juce::File& file) {
        Dialogs::get().showNativeDialog (JUCE_APPLICATION_NAME_STRING, getGuideNotOpenedMessage (file));
    } };

    void quitApplication();
    void openFileWithChooser();
    void openUserGuide();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PelmarQSeriesEditorApplication)
};
