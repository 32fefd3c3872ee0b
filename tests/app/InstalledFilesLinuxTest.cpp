#include "AppTestSupport.h"
#include "app/platform/DocumentOpener.h"
#include "app/platform/InstalledFiles.h"
#include "app/PelmarQSeriesEditorApplication.h"

namespace
{
TEST (UserGuide, TheProgramIsFoundByItsRealPathAndTheInstalledGuideComesLast)
{
    const auto program = InstalledFiles::getProgramFile();
    EXPECT_TRUE (program.existsAsFile()) << program.getFullPathName();
    EXPECT_EQ (program.getFileName(), "q7x_app_tests");

    const auto candidates = PelmarQSeriesEditorApplication::getBundledUserGuideFiles();
    ASSERT_EQ (candidates.size(), 3);
    EXPECT_EQ (candidates[0].getParentDirectory(),
               program.getParentDirectory().getSiblingFile ("share/doc/q7x-editor"));
    EXPECT_EQ (candidates[2].getFullPathName(), "/usr/share/doc/q7x-editor/Q7X Editor - User Guide - v1.0.pdf");
}

TEST (UserGuide, AnOpenerThatFailsIsReportedWithTheFile)
{
    // A stand-in opener on PATH that refuses every file, as xdg-open does with no viewer installed.
    const juce::TemporaryFile folder;
    const auto bin = folder.getFile();
    ASSERT_TRUE (bin.createDirectory());
    const auto opener = bin.getChildFile ("xdg-open");
    ASSERT_TRUE (opener.replaceWithText ("#!/bin/sh\nexit 3\n"));
    ASSERT_TRUE (opener.setExecutePermission (true));
    const auto oldPath = juce::SystemStats::getEnvironmentVariable ("PATH", {});
    setenv ("PATH", (bin.getFullPathName() + ":" + oldPath).toRawUTF8(), 1);

    juce::Array<juce::File> failed;
    DocumentOpener documents ([&] (const juce::File& file) { failed.add (file); });
    const juce::File guide ("/nowhere/guide.pdf");
    EXPECT_TRUE (documents.open (guide));
    EXPECT_TRUE (waitUntil ([&] { return failed.size() == 1; }));
    EXPECT_EQ (failed[0], guide);
    EXPECT_EQ (PelmarQSeriesEditorApplication::getGuideNotOpenedMessage (guide),
               "No program could open the User Guide: \r\n/nowhere/guide.pdf");

    setenv ("PATH", oldPath.toRawUTF8(), 1);
    bin.deleteRecursively();
}
} // namespace
