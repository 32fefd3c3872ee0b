#include "WindowManager.h"
#include "Dialogs.h"
#include "WindowIcon.h"
#include "preset/Alert.h"

WindowManager::WindowManager (MidiManager* midi, juce::ApplicationCommandManager* commands, juce::File& folder)
    : lastFolder (folder),
      midiManager (midi),
      commandManager (commands)
{
}

WindowManager::~WindowManager()
{
    delete deviceSetupWindow.get();
    delete aboutWindow.get();

    while (! documents.isEmpty())
        destroyDocument (documents.getLast());
}

//==============================================================================
EditorDocument* WindowManager::createNewDocument()
{
    if (! canOpenAnotherDocument())
    {
        Alert::show ("Maxiumum Number of Open Documents Reached", "You may only have 5 documents open.");
        return nullptr;
    }

    ++documentCounter;
    auto* document = documents.add (createEditorDocument (midiManager, "Untitled " + juce::String (documentCounter),
                                                          lastFolder));

    commandManager->registerAllCommandsForTarget (document);
    document->addWindowCloseListener (this);
    document->addKeyListener (commandManager->getKeyMappings());

    if (menuBarModel != nullptr)
        document->showMenuBar (menuBarModel);

    return document;
}

void WindowManager::showDocument (EditorDocument* document)
{
    juce::Rectangle<int> workArea (0, 0, 1 << 20, 1 << 20);

    if (auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        workArea = display->userArea;

    document->setTopLeftPosition (getCascadePosition (documentCounter, { document->getWidth(), document->getHeight() },
                                                      workArea));
    document->addToDesktop();
    WindowIcon::applyTo (*document);
    document->toFront (true);
}

juce::Point<int> WindowManager::getCascadePosition (int counter, juce::Point<int> windowSize,
                                                    juce::Rectangle<int> workArea)
{
    const auto positionFor = [] (int step) { return juce::Point<int> (15 * step, 15 * step + 45); };
    const auto fits = [&] (int step)
    {
        return workArea.contains (juce::Rectangle<int> (positionFor (step), positionFor (step) + windowSize));
    };

    int stepsThatFit = 0;

    while (stepsThatFit < counter && fits (stepsThatFit + 1))
        ++stepsThatFit;

    // A window too large for the work area still starts at the first place.
    if (stepsThatFit == 0)
        return positionFor (1);

    return positionFor ((counter - 1) % stepsThatFit + 1);
}

bool WindowManager::canOpenAnotherDocument() const
{
    return documents.size() < maxDocuments;
}

void WindowManager::newDocument()
{
    if (auto* document = createNewDocument())
        showDocument (document);
}

void WindowManager::openFileInNewDocument (const juce::File& file)
{
    for (auto* document : documents)
    {
        if (document->getFile() == file)
        {
            document->toFront (true);
            return;
        }
    }

    if (auto* document = createNewDocument())
    {
        document->loadFile (file);
        showDocument (document);
    }
}

void WindowManager::openFileInActiveDocument (const juce::File& file)
{
    if (documents.isEmpty())
    {
        if (auto* document = createNewDocument())
        {
            document->loadFile (file);
            showDocument (document);
        }

        return;
    }

    openFileInNewDocument (file);
}

//==============================================================================
EditorDocument* WindowManager::getActiveDocument() const
{
    for (auto* document : documents)
        if (document->isActiveWindow())
            return document;

    return nullptr;
}

bool WindowManager::askToSaveAndClose (EditorDocument* document)
{
    // A second request for a document whose question is still open waits for that one.
    if (document == nullptr || ! documents.contains (document) || documentsBeingAsked.contains (document))
        return false;

    // The question is about what the window shows, including a number still being typed.
    document->commitPendingEntries();

    documentsBeingAsked.add (document);
    const auto answer = Dialogs::get().askYesNoCancel ("Save Document",
                                                       "Would you like to save: " + document->getDocumentName());
    const auto saved = answer == Dialogs::Answer::yes && documents.contains (document) && document->save();
    documentsBeingAsked.removeFirstMatchingValue (document);

    if (answer == Dialogs::Answer::cancel || (answer == Dialogs::Answer::yes && ! saved)
         || ! documents.contains (document))
        return false;

    destroyDocument (document);

    if (documents.isEmpty() && ! closingAll && onLastDocumentClosed != nullptr)
        onLastDocumentClosed();

    return true;
}

void WindowManager::destroyDocument (EditorDocument* document)
{
    document->removeKeyListener (commandManager->getKeyMappings());
    documents.removeObject (document);
}

bool WindowManager::closeAllDocuments()
{
    const juce::ScopedValueSetter<bool> closing (closingAll, true);

    while (! documents.isEmpty())
        if (! askToSaveAndClose (documents.getLast()))
            return false;

    return true;
}

void WindowManager::closeActiveDocument()
{
    if (auto* document = getActiveDocument())
        askToSaveAndClose (document);
}

void WindowManager::windowCloseRequested (juce::TopLevelWindow* window)
{
    if (auto* document = dynamic_cast<EditorDocument*> (window))
        askToSaveAndClose (document);
}

void WindowManager::minimiseActiveDocument()
{
    if (auto* document = getActiveDocument())
        document->setMinimised (true);
}

void WindowManager::bringAllToFront()
{
    for (auto* document : documents)
    {
        document->setMinimised (false);
        document->toFront (true);
    }
}

//==============================================================================
void WindowManager::showDeviceSetup()
{
    if (deviceSetupWindow == nullptr)
    {
        deviceSetupWindow = new DeviceManagerWindow (midiManager);
        WindowIcon::applyTo (*deviceSetupWindow);
    }

    for (auto* document : documents)
        document->toBehind (deviceSetupWindow.get());

    deviceSetupWindow->toFront (true);
}

void WindowManager::showAbout()
{
    if (aboutWindow == nullptr)
    {
        aboutWindow = new AboutWindow();
        WindowIcon::applyTo (*aboutWindow);
    }

    aboutWindow->toFront (true);
}

void WindowManager::setMenuBarModel (juce::MenuBarModel* model)
{
    menuBarModel = model;

    for (auto* document : documents)
        document->showMenuBar (model);
}
