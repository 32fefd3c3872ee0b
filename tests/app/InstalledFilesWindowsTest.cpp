#include "AppTestSupport.h"
#include "app/platform/DocumentOpener.h"
#include "app/PelmarQSeriesEditorApplication.h"

namespace
{
TEST (UserGuide, TheInstalledGuideIsBesideTheProgramThenInItsDocsFolder)
{
    const auto program = juce::File::getSpecialLocation (juce::File::currentExecutableFile);
    EXPECT_EQ (program.getFileName(), "q7x_app_tests.exe");

    const auto candidates = PelmarQSeriesEditorApplication::getBundledUserGuideFiles();
    ASSERT_EQ (candidates.size(), 2);
    EXPECT_EQ (candidates[0], program.getSiblingFile ("Q7X Editor - User Guide - v1.0.pdf"));
    EXPECT_EQ (candidates[1], program.getSiblingFile ("docs\\Q7X Editor - User Guide - v1.0.pdf"));
    EXPECT_TRUE (PelmarQSeriesEditorApplication::getUserGuideFile().getFullPathName().endsWith (
        "\\Pelmar\\Q7X Editor\\Q7X Editor - User Guide - v1.0.pdf"));
}

TEST (UserGuide, ADocumentTheShellCannotOpenIsReportedAtOnce)
{
    juce::Array<juce::File> failed;
    DocumentOpener documents ([&] (const juce::File& file) { failed.add (file); });
    const juce::File guide ("C:\\nowhere\\guide.pdf");
    EXPECT_FALSE (documents.open (guide));
    ASSERT_EQ (failed.size(), 1);
    EXPECT_EQ (failed[0], guide);
}
} // namespace
