#include "WaitUntil.h"
#include "app/Dialogs.h"
#include "app/SingleInstance.h"

#include <gtest/gtest.h>

namespace
{
class SingleInstanceTest : public testing::Test
{
protected:
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                          .getNonexistentChildFile ("q7x-instance", {}, false);
    juce::File socket = folder.getChildFile ("editor.socket");

    void SetUp() override    { folder.createDirectory(); }
    void TearDown() override { folder.deleteRecursively(); }
};

TEST_F (SingleInstanceTest, ASecondLaunchHandsItsCommandLineToTheFirst)
{
    SingleInstance first (socket);
    ASSERT_EQ (first.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    first.startListening ([&] (const juce::String& line) { received.add (line); });

    {
        SingleInstance second (socket);
        EXPECT_EQ (second.claim ("\"/presets/My Preset.q7x\""), SingleInstance::Role::handedOver);
    }

    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
    EXPECT_EQ (received, juce::StringArray ({ "\"/presets/My Preset.q7x\"" }));

    // The second instance leaves the first one's socket alone.
    EXPECT_EQ (SingleInstance (socket).claim ("again"), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 2; }));

    // A command line still on its way to the message thread is dropped once the first stops listening.
    EXPECT_EQ (SingleInstance (socket).claim ("late"), SingleInstance::Role::handedOver);
    first.stopListening();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_EQ (received.size(), 2);
}

TEST_F (SingleInstanceTest, ASocketLeftByACrashedInstanceIsTakenOver)
{
    // A socket file that nobody listens on any more, as a killed instance leaves it:
    // moved aside while its owner closes, then put back.
    const auto aside = folder.getChildFile ("aside.socket");
    {
        SingleInstance crashed (socket);
        ASSERT_EQ (crashed.claim ({}), SingleInstance::Role::running);
        ASSERT_TRUE (socket.moveFileTo (aside));
    }
    ASSERT_TRUE (aside.moveFileTo (socket));

    SingleInstance next (socket);
    EXPECT_EQ (next.claim ({}), SingleInstance::Role::running);

    juce::StringArray received;
    next.startListening ([&] (const juce::String& line) { received.add (line); });
    EXPECT_EQ (SingleInstance (socket).claim ("x.q7x"), SingleInstance::Role::handedOver);
    EXPECT_TRUE (waitUntil ([&] { return received.size() == 1; }));
}

TEST_F (SingleInstanceTest, ASocketPathTooLongToUseLetsTheEditorRunAlone)
{
    SingleInstance instance (folder.getChildFile (juce::String::repeatedString ("x", 200)));
    EXPECT_EQ (instance.claim ({}), SingleInstance::Role::unavailable);
}

TEST_F (SingleInstanceTest, CommandLinesAreJoinedAndMadeAbsoluteLikeTheFrameworkDoes)
{
    EXPECT_EQ (SingleInstance::joinArguments ({ "My Preset.q7x" }), "\"My Preset.q7x\"");
    EXPECT_EQ (SingleInstance::joinArguments ({ "-x", "a.q7x" }), "-x a.q7x");
    EXPECT_EQ (SingleInstance::joinArguments ({}), "");

    const juce::File cwd ("/home/user/presets");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("\"My Preset.q7x\"", cwd), "\"/home/user/presets/My Preset.q7x\"");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("sub/a.q7x", cwd), "\"/home/user/presets/sub/a.q7x\"");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("/tmp/b.q7x", cwd), "\"/tmp/b.q7x\"");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("  ", cwd), "  ");
    EXPECT_EQ (SingleInstance::makePathAbsolute ("-psn_0_1", cwd), "-psn_0_1");
}

TEST (Dialogs, ASaveNameWithoutAnExtensionGetsTheEditorsOne)
{
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/My Preset")), juce::File ("/p/My Preset.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/a.q7x")), juce::File ("/p/a.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/a.syx")), juce::File ("/p/a.syx.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File()), juce::File());
}

TEST (Dialogs, ADotInASaveNameIsPartOfTheNameNotAnExtension)
{
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/Live v1.2")), juce::File ("/p/Live v1.2.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/Set.Q7X")), juce::File ("/p/Set.Q7X"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/Set.q7x.old")), juce::File ("/p/Set.q7x.old.q7x"));
    EXPECT_EQ (Dialogs::withPresetExtension (juce::File ("/p/v2.")), juce::File ("/p/v2..q7x"));
}

TEST (Dialogs, TheSaveChooserStartsWithTheDocumentsNameInTheFolder)
{
    const auto folder = juce::File::getSpecialLocation (juce::File::tempDirectory);
    EXPECT_EQ (Dialogs::proposedSaveLocation (folder, "Untitled 3"), folder.getChildFile ("Untitled 3.q7x"));
    EXPECT_EQ (Dialogs::proposedSaveLocation (folder, "Live v1.2"), folder.getChildFile ("Live v1.2.q7x"));
    // A name is never a path into another folder.
    EXPECT_EQ (Dialogs::proposedSaveLocation (folder, "../a/b"), folder.getChildFile ("..ab.q7x"));

    // Without a folder to start in, or a name, the chooser gets what there is.
    const juce::File missing ("/no/such/folder/q7x");
    EXPECT_EQ (Dialogs::proposedSaveLocation (missing, "Untitled 1"), missing);
    EXPECT_EQ (Dialogs::proposedSaveLocation (juce::File(), "Untitled 1"), juce::File());
    EXPECT_EQ (Dialogs::proposedSaveLocation (folder, "  "), folder);
}
} // namespace
