#include "TemporaryFolder.h"
#include "app/singleinstance/SingleInstance.h"
#include "preset/CommandLinePath.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include <unistd.h>

// A typed path names what the shell's programs open for it: ".." is taken after the links
// before it, and "~" is a name like any other.
TEST (CommandLinePathLinux, NamesTheFileTheSystemOpens)
{
    const TemporaryFolder temporary;
    const auto root = juce::String (std::filesystem::canonical (temporary.get().getFullPathName().toStdString()).string());
    std::filesystem::create_directories ((root + "/deep/inner").toStdString());
    std::filesystem::create_directory_symlink ("deep/inner", (root + "/linkdir").toStdString());
    const juce::File workingDirectory (root);

    const struct
    {
        const char* typed;
        const char* named; // from the working folder
    } cases[] = {
        { "linkdir/../x.q7x", "deep/x.q7x" },
        { "linkdir/./../../deep/x.q7x", "deep/x.q7x" },
        { "deep/inner/../x.q7x", "deep/x.q7x" },
        { "linkdir/..", "deep" },
        { "linkdir/y.q7x", "linkdir/y.q7x" }, // the link is kept: a save replaces what it leads to
        { "~/x.q7x", "~/x.q7x" },
        { "~root/x.q7x", "~root/x.q7x" },
        { "./plain.q7x", "plain.q7x" },
        { "missing/../x.q7x", "missing/../x.q7x" }, // the system finds no such folder, each time it is used
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (CommandLinePath::resolve (c.typed, workingDirectory).getFullPathName(), root + "/" + c.named) << c.typed;
        EXPECT_EQ (CommandLinePath::resolve (root + "/" + c.typed, juce::File ("/elsewhere")).getFullPathName(), root + "/" + c.named)
            << c.typed;
    }

    EXPECT_EQ (CommandLinePath::resolve ("/../a.q7x", workingDirectory), juce::File ("/a.q7x"));
    EXPECT_EQ (SingleInstance::makePathAbsolute ("\"linkdir/../My Preset.q7x\"", workingDirectory), (root + "/deep/My Preset.q7x").quoted());
}

// Where the working folder cannot be named, a relative path names nothing, in both programs;
// absolute paths, options and blank command lines are taken as ever.
TEST (CommandLinePathLinux, ARelativePathNeedsAWorkingFolderThatCanBeNamed)
{
    const TemporaryFolder temporary;
    const auto root = temporary.get().getFullPathName().toStdString();
    const auto previous = juce::File::getCurrentWorkingDirectory();

    const struct
    {
        std::string folder;
        bool deleted;
        const char* problem;
    } cases[] = {
        { "caf\xe9", false, "is relative, and the working folder's name is not UTF-8 text" },
        { "gone", true, "is relative, and the working folder was deleted" },
    };

    for (const auto& c : cases)
    {
        const auto folder = root + "/" + c.folder;
        ASSERT_EQ (::mkdir (folder.c_str(), 0700), 0);
        ASSERT_EQ (::chdir (folder.c_str()), 0);

        if (c.deleted)
        {
            ASSERT_EQ (::rmdir (folder.c_str()), 0);
        }

        juce::String problem;
        EXPECT_FALSE (CommandLinePath::resolveInWorkingDirectory ("x.q7x", problem).has_value()) << c.folder;
        EXPECT_EQ (problem, c.problem);

        juce::String editorProblem;
        EXPECT_FALSE (SingleInstance::makePathAbsolute ("x.q7x", editorProblem).has_value()) << c.folder;
        EXPECT_EQ (editorProblem, c.problem);

        juce::String none;
        EXPECT_EQ (CommandLinePath::resolveInWorkingDirectory ("/tmp/x.q7x", none), juce::File ("/tmp/x.q7x"));
        EXPECT_EQ (SingleInstance::makePathAbsolute ("\"/tmp/a b.q7x\"", none), juce::String ("\"/tmp/a b.q7x\""));
        EXPECT_EQ (SingleInstance::makePathAbsolute ("-psn_0_1", none), juce::String ("-psn_0_1"));
        EXPECT_EQ (SingleInstance::makePathAbsolute ("  ", none), juce::String ("  "));
        EXPECT_EQ (none, "");

        ASSERT_TRUE (previous.setAsCurrentWorkingDirectory());
        ::rmdir (folder.c_str()); // a name the framework's own clean-up could not spell
    }

    // A folder that can be named is where relative paths start.
    ASSERT_TRUE (temporary.get().setAsCurrentWorkingDirectory());
    juce::String problem;
    EXPECT_EQ (CommandLinePath::resolveInWorkingDirectory ("x.q7x", problem), temporary.get().getChildFile ("x.q7x"));
    ASSERT_TRUE (previous.setAsCurrentWorkingDirectory());
}
