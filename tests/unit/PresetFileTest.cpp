#include "AlertRecorder.h"
#include "FakeParameterValue.h"
#include "PresetFixtures.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <unistd.h>

namespace
{
class PresetFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (controller->applyPresetData (PresetLayout::getDefaultPresetImage()));
    }

    juce::File fileWith (const juce::Array<juce::uint8>& bytes, const juce::String& name = "preset.q7x")
    {
        auto file = folder.getFile().getChildFile (name);
        file.replaceWithData (bytes.getRawDataPointer(), (size_t) bytes.size());
        return file;
    }

    static juce::Array<juce::uint8> defaultDump()
    {
        return { PresetLayout::defaultPresetDump.data(), (int) PresetLayout::defaultPresetDump.size() };
    }

    static juce::Array<juce::uint8> readAll (const juce::File& file)
    {
        juce::MemoryBlock block;
        file.loadFileAsData (block);
        return { static_cast<const juce::uint8*> (block.getData()), (int) block.getSize() };
    }

    /** Loads a file that must be refused: false, one "Invalid File" alert, preset unchanged. */
    void expectRefused (const juce::File& file)
    {
        AlertRecorder alerts;
        const auto before = controller->getPresetData();

        EXPECT_FALSE (controller->loadFromFile (file)) << file.getFullPathName();
        EXPECT_EQ (alerts.getTitles(), juce::StringArray ("Invalid File")) << file.getFullPathName();
        EXPECT_EQ (alerts.getEntries()[0].message, "File is invalid or currupt");
        EXPECT_EQ (controller->getPresetData(), before);
    }

    juce::TemporaryFile folder { "", juce::TemporaryFile::useHiddenFile };
    std::unique_ptr<PresetController> controller { createPresetController (nullptr) };
    FakeEditor editor { *controller };

    void TearDown() override { folder.getFile().deleteRecursively(); }
};
} // namespace

TEST_F (PresetFileTest, DefaultPresetSavesAsTheDefaultDump)
{
    ASSERT_TRUE (folder.getFile().createDirectory());
    const auto file = folder.getFile().getChildFile ("Default.q7x");

    ASSERT_TRUE (controller->saveToFile (file));
    EXPECT_EQ (readAll (file), defaultDump());

    juce::Array<juce::uint8> dump;
    controller->buildPresetDump (dump);
    EXPECT_EQ (dump.size(), 101);
    EXPECT_EQ (dump[5], 0x61);
}

// Whatever the editor saves, it opens again: every mode of every pad, switch and knob.
TEST_F (PresetFileTest, SavedPresetsLoadBackByteForByte)
{
    ASSERT_TRUE (folder.getFile().createDirectory());
    const auto file = folder.getFile().getChildFile ("Round Trip.q7x");
    auto other = std::unique_ptr<PresetController> (createPresetController (nullptr));
    FakeEditor otherEditor (*other);
    juce::Random random (42);
    AlertRecorder alerts;

    for (int i = 0; i < 60; ++i)
    {
        const auto preset = makeRandomValidPreset (random, i);
        ASSERT_TRUE (controller->applyPresetData (preset));
        ASSERT_TRUE (controller->saveToFile (file));
        ASSERT_TRUE (other->loadFromFile (file)) << "iteration " << i;
        ASSERT_EQ (other->getPresetData(), preset) << "iteration " << i;
    }

    EXPECT_EQ (alerts.size(), 0);
}

TEST_F (PresetFileTest, RefusesFilesThatAreNotPresets)
{
    ASSERT_TRUE (folder.getFile().createDirectory());
    auto dump = defaultDump();

    expectRefused (folder.getFile().getChildFile ("missing.q7x"));
    expectRefused (fileWith ({}, "empty.q7x"));
    expectRefused (folder.getFile());

    auto shorter = dump, longer = dump;
    shorter.removeLast();
    longer.add (0xf7);
    expectRefused (fileWith (shorter, "102.q7x"));
    expectRefused (fileWith (longer, "104.q7x"));

    auto reply = dump;
    reply.set (6, 0x63); // a captured preset reply
    expectRefused (fileWith (reply, "reply.q7x"));

    auto outOfRange = dump;
    outOfRange.set (9, 25); // transpose +13
    expectRefused (fileWith (outOfRange, "transpose.q7x"));
    outOfRange = dump;
    outOfRange.set (45, 8); // pad 1 curve 9 in Note mode
    expectRefused (fileWith (outOfRange, "curve.q7x"));
}

TEST_F (PresetFileTest, HugeFileIsRefusedWithoutReadingIt)
{
    ASSERT_TRUE (folder.getFile().createDirectory());
    const auto huge = folder.getFile().getChildFile ("huge.q7x");
    ASSERT_TRUE (huge.create());
    std::filesystem::resize_file (huge.getFullPathName().toStdString(), 1ull << 30); // sparse

    expectRefused (huge);
}

TEST_F (PresetFileTest, UnreadableFileIsRefused)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "Windows has no permission bits that make a file unreadable to its owner";
#else
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind root";
#endif

    ASSERT_TRUE (folder.getFile().createDirectory());
    const auto file = fileWith (defaultDump(), "locked.q7x");
    ASSERT_TRUE (file.setReadOnly (true));
    ASSERT_EQ (chmod (file.getFullPathName().toRawUTF8(), 0), 0);

    expectRefused (file);
}

TEST_F (PresetFileTest, LastByteIsNotChecked)
{
    ASSERT_TRUE (folder.getFile().createDirectory());
    auto dump = defaultDump();
    dump.set (102, 0x00);
    dump.set (10, 5); // keybed octave 5

    AlertRecorder alerts;
    EXPECT_TRUE (controller->loadFromFile (fileWith (dump)));
    EXPECT_EQ (controller->getPresetData()[1], 5);
    EXPECT_EQ (alerts.size(), 0);
}

TEST_F (PresetFileTest, FailedSaveIsReportedAndLeavesNoFileBehind)
{
    ASSERT_TRUE (folder.getFile().createDirectory());
    const auto notAFolder = fileWith (defaultDump(), "plain.q7x");
    const auto impossible = notAFolder.getChildFile ("inside.q7x");
    const auto existingFolder = folder.getFile().getChildFile ("Presets.q7x");
    ASSERT_TRUE (existingFolder.getChildFile ("kept.q7x").create());

    AlertRecorder alerts;
    EXPECT_FALSE (controller->saveToFile (impossible));
    EXPECT_FALSE (controller->saveToFile (existingFolder));

    ASSERT_EQ (alerts.getTitles(), juce::StringArray ({ "Unable to Save", "Unable to Save" }));
    EXPECT_TRUE (alerts.getEntries()[0].message.contains (impossible.getFullPathName()));
    EXPECT_TRUE (existingFolder.getChildFile ("kept.q7x").existsAsFile());
    EXPECT_EQ (readAll (notAFolder), defaultDump());
    EXPECT_EQ (folder.getFile().getNumberOfChildFiles (juce::File::findFilesAndDirectories), 2);
}
