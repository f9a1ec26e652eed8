// Finding, verifying and planning the image beside the program, with real
// files in a folder of their own.

#include "support/ImageFolderFixture.h"
#include "support/UnreadableFile.h"

#include "update/FirmwareImage.h"
#include "update/UpdateStatus.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

using testsupport::ImageFolderFixture;

namespace
{
class FirmwareFileTest : public ImageFolderFixture
{
protected:
    int findFor(int variantB)
    {
        unit.cpuType = 2;
        unit.variantB = variantB;
        unit.findFirmwareFile();
        return unit.status;
    }

    int load(const juce::String& name)
    {
        juce::uint8 date[4] = {};
        juce::String version;
        return unit.loadFirmwareFile(folder.getChildFile(name), date, version);
    }

    MainComponent unit;
};
} // namespace

TEST_F(FirmwareFileTest, aPlainAndAScrambledImageVerifyAlikeAndArePlanned)
{
    ImageRequest request;
    request.version = "2.05";
    request.date[0] = 0x20, request.date[1] = 0x23, request.date[2] = 0x11, request.date[3] = 0x30;
    writeImage("vxqmrt6_A__v205.bin", request);

    EXPECT_EQ(findFor(0), 0);
    EXPECT_EQ(unit.layoutReady, 8);
    EXPECT_EQ(unit.fileCpuType, 2);
    EXPECT_EQ(unit.fileScrambled, 0);
    EXPECT_EQ(unit.fileVersion, "2.05");
    const juce::uint8 reversed[4] = { 0x30, 0x11, 0x23, 0x20 };
    EXPECT_EQ(std::memcmp(unit.fileDate, reversed, 4), 0);

    const juce::int64 sizes[3] = { 0x90000, 0x130000, 0x10000 };
    const juce::int64 offsets[3] = { 0, 0x90000, 0x1C0000 };
    const juce::uint8 targets[3] = { 0xF1, 0xF2, 0xF7 };
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(unit.regions[i].file, folder.getChildFile("vxqmrt6_A__v205.bin"));
        EXPECT_EQ(unit.regions[i].size, sizes[i]);
        EXPECT_EQ(unit.regions[i].fileOffset, offsets[i]);
        EXPECT_EQ(unit.regions[i].address, offsets[i]);
        EXPECT_EQ(unit.regions[i].target, targets[i]);
        EXPECT_EQ(unit.regions[i].state, 1);
    }

    request.scrambled = true;
    writeImage("vxqmrt6_B__v205.bin", request);
    MainComponent other;
    other.cpuType = 2;
    other.variantB = 1;
    other.findFirmwareFile();

    EXPECT_EQ(other.status, 0);
    EXPECT_EQ(other.fileScrambled, 1);
    EXPECT_EQ(other.fileVersion, "2.05");
    EXPECT_EQ(std::memcmp(other.fileDate, reversed, 4), 0);
    EXPECT_EQ(other.fileKey, unit.fileKey);
}

TEST_F(FirmwareFileTest, onlyNineteenCharacterNamesWithTheExactPrefixAreAccepted)
{
    writeImage("vxqmrt6_A__v10.bin", {});
    writeImage("vxqmrt6_A__v1000.bin", {});
    writeImage("VXQMRT6_A__v100.bin", {});
    writeImage("vxqmrt6_a__v100.bin", {});
    writeImage("vxqmrt6_B__v100.bin", {});
    folder.getChildFile("vxqmrt6_A__v100.bin").createDirectory();

    EXPECT_EQ(findFor(0), UpdateStatus::noImageFile);
    EXPECT_EQ(unit.layoutReady, 0);
    EXPECT_EQ(unit.fileCpuType, 0);
}

TEST_F(FirmwareFileTest, withoutAVariantNoImageIsLookedFor)
{
    writeImage("vxqmrt6_A__v100.bin", {});
    unit.cpuType = 1;
    unit.findFirmwareFile();

    EXPECT_EQ(unit.status, UpdateStatus::noImageFile);
    EXPECT_EQ(unit.layoutReady, 0);
    EXPECT_EQ(unit.fileCpuType, 0);
}

#if ! JUCE_WINDOWS
TEST_F(FirmwareFileTest, anAcceptedNameThatLeadsToNoFileIsNoImage)
{
    // A link to nothing is listed and accepted, but does not exist.
    std::filesystem::create_symlink("gone.bin", folder.getChildFile("vxqmrt6_A__v100.bin").getFullPathName().toStdString());

    EXPECT_EQ(findFor(0), UpdateStatus::noImageFile);
    EXPECT_EQ(unit.fileCpuType, 2);
    EXPECT_EQ(unit.layoutReady, 0);
    EXPECT_EQ(unit.regions[0].state, RegionRecord::notPlanned) << "nothing was loaded";
}
#endif

TEST_F(FirmwareFileTest, theListingIgnoresLetterCaseAfterThePrefix)
{
    writeImage("vxqmrt6_A__V100.BIN", {});

    EXPECT_EQ(findFor(0), 0);
    EXPECT_EQ(unit.layoutReady, 8);
}

TEST_F(FirmwareFileTest, ofTwoAcceptedFilesTheLaterInTheListingIsLoaded)
{
    ImageRequest first, second;
    first.version = "1.01";
    second.version = "1.02";
    writeImage("vxqmrt6_A__v101.bin", first);
    writeImage("vxqmrt6_A__v102.bin", second);

    juce::String lastListed;
    for (auto& file : folder.findChildFiles(juce::File::findFiles, false, "*"))
        lastListed = file.getFileName();

    ASSERT_EQ(findFor(0), 0);
    EXPECT_EQ(unit.fileVersion, lastListed == "vxqmrt6_A__v101.bin" ? "1.01" : "1.02");
}

TEST_F(FirmwareFileTest, whatCannotBeReadWholeIsAReadError)
{
    const testsupport::UnreadableFile unreadable(folder.getChildFile("vxqmrt6_A__v100.bin"));
    ASSERT_TRUE(unreadable.wasMade());
    EXPECT_EQ(findFor(0), UpdateStatus::imageUnreadable) << "refused without blocking";
    EXPECT_EQ(unit.fileCpuType, 2);
    EXPECT_EQ(unit.regions[0].state, UpdateStatus::imageUnreadable);

    folder.getChildFile("folder").createDirectory();
    EXPECT_EQ(load("folder"), UpdateStatus::imageUnreadable);
    EXPECT_EQ(load("missing"), UpdateStatus::noImageFile);

    writeImage("locked.bin", {});
    if (testsupport::denyReading(folder.getChildFile("locked.bin")))
    {
        EXPECT_EQ(load("locked.bin"), UpdateStatus::imageUnreadable);
    }
}

#if JUCE_LINUX
// Kernel files stand for a file that changed between its size query and its
// reading: one reports no bytes and gives some, the other reports a page and
// gives a few.
TEST_F(FirmwareFileTest, aReadThatDisagreesWithTheReportedSizeIsAReadError)
{
    for (const char* path : { "/proc/self/status", "/sys/devices/system/cpu/online" })
    {
        const juce::File file(path);

        if (file.existsAsFile())
        {
            juce::uint8 date[4];
            juce::String version;
            EXPECT_EQ(unit.loadFirmwareFile(file, date, version), UpdateStatus::imageUnreadable) << path;
        }
    }
}
#endif

TEST_F(FirmwareFileTest, anyOtherSizeIsRefusedWithoutReadingTheWholeFile)
{
    folder.getChildFile("empty.bin").create();
    EXPECT_EQ(load("empty.bin"), UpdateStatus::imageWrongSize);

    auto oneByteMore = makeFirmwareImage({});
    oneByteMore.append("x", 1);
    folder.getChildFile("long.bin").replaceWithData(oneByteMore.getData(), oneByteMore.getSize());
    EXPECT_EQ(load("long.bin"), UpdateStatus::imageWrongSize);

    ImageRequest shortImage;
    shortImage.fault = ImageRequest::Fault::wrongSize;
    writeImage("short.bin", shortImage);
    EXPECT_EQ(load("short.bin"), UpdateStatus::imageWrongSize);

    const auto sparse = folder.getChildFile("sparse.bin");
    sparse.create();
    std::filesystem::resize_file(sparse.getFullPathName().toStdString(), 2ull << 30);
    EXPECT_EQ(load("sparse.bin"), UpdateStatus::imageWrongSize);
}

TEST_F(FirmwareFileTest, badDateStampBytesAndVersionTextsAreRefused)
{
    const juce::uint8 bounds[4] = { 0x20, 0x50, 0x12, 0x31 };

    for (int i = 0; i < 4; ++i)
    {
        ImageRequest request;
        std::memcpy(request.date, bounds, 4);
        writeImage("at-bound.bin", request);
        EXPECT_EQ(load("at-bound.bin"), 1);

        ++request.date[i];
        writeImage("above-bound.bin", request);
        EXPECT_EQ(load("above-bound.bin"), UpdateStatus::imageBadDateOrVersion) << "date byte " << i;
    }

    ImageRequest comma;
    comma.version = "1,10";
    writeImage("comma.bin", comma);
    EXPECT_EQ(load("comma.bin"), UpdateStatus::imageBadDateOrVersion);

    for (juce::uint8 byte : { juce::uint8('A'), juce::uint8(0), juce::uint8(0x80), juce::uint8(0xFF) })
    {
        juce::uint8 date[4];
        juce::String version;
        auto image = makeFirmwareImage({});
        auto* data = static_cast<juce::uint8*>(image.getData());
        data[FirmwareImage::versionOffset + 3] = byte;
        const auto crc = crc16Xmodem(data, FirmwareImage::crcOffset);
        data[FirmwareImage::crcOffset] = static_cast<juce::uint8>(crc & 0xFF);
        data[FirmwareImage::crcOffset + 1] = static_cast<juce::uint8>(crc >> 8);
        folder.getChildFile("version.bin").replaceWithData(image.getData(), image.getSize());

        EXPECT_EQ(unit.loadFirmwareFile(folder.getChildFile("version.bin"), date, version),
                  UpdateStatus::imageBadDateOrVersion) << "byte " << int(byte);
        EXPECT_EQ(version.substring(0, 3), "1.1");
    }
}

TEST_F(FirmwareFileTest, aCrcThatMatchesInNeitherFormWinsOverOtherFaults)
{
    ImageRequest request;
    request.fault = ImageRequest::Fault::badCrc;
    writeImage("vxqmrt6_A__v100.bin", request);
    EXPECT_EQ(findFor(0), UpdateStatus::imageCrcMismatch);
    EXPECT_EQ(unit.layoutReady, 0);

    request.scrambled = true;
    request.date[2] = 0x13;
    writeImage("both.bin", request);
    EXPECT_EQ(load("both.bin"), UpdateStatus::imageCrcMismatch);

    // With this date the right CRC with its lowest bit flipped matches the
    // body de-scrambled by its own mask: a broken image must not be made so.
    ImageRequest unlucky;
    unlucky.fault = ImageRequest::Fault::badCrc;
    const juce::uint8 date[4] = { 0x20, 0x47, 0x04, 0x20 };
    std::memcpy(unlucky.date, date, 4);
    writeImage("unlucky.bin", unlucky);
    EXPECT_EQ(load("unlucky.bin"), UpdateStatus::imageCrcMismatch);
}

TEST_F(FirmwareFileTest, aRemovedUnitStaysRecordedWhileAGoodImageIsStillPlanned)
{
    writeImage("vxqmrt6_A__v100.bin", {});
    unit.status = UpdateStatus::unitRemoved;
    EXPECT_EQ(findFor(0), UpdateStatus::unitRemoved);
    EXPECT_EQ(unit.layoutReady, 8);

    // No file for variant B, then one that fails each check in turn.
    ImageRequest broken;
    for (auto fault : { ImageRequest::Fault::none, ImageRequest::Fault::wrongSize, ImageRequest::Fault::badCrc,
                        ImageRequest::Fault::badDate })
    {
        if (fault != ImageRequest::Fault::none)
        {
            broken.fault = fault;
            writeImage("vxqmrt6_B__v100.bin", broken);
        }

        MainComponent removed;
        removed.status = UpdateStatus::unitRemoved;
        removed.cpuType = 2;
        removed.variantB = 1;
        removed.findFirmwareFile();
        EXPECT_EQ(removed.status, UpdateStatus::unitRemoved) << "fault " << int(fault);
        EXPECT_EQ(removed.layoutReady, 0);
    }
}

TEST_F(FirmwareFileTest, theVerificationNotesTheFileSizeAndTime)
{
    writeImage("vxqmrt6_A__v100.bin", {});
    const auto file = folder.getChildFile("vxqmrt6_A__v100.bin");

    ASSERT_EQ(findFor(0), 0);
    EXPECT_EQ(unit.fileSize, FirmwareImage::size);
    EXPECT_EQ(unit.fileModified, file.getLastModificationTime());
}

TEST_F(FirmwareFileTest, aFileChangingWhileItIsVerifiedNeverBreaksTheCheck)
{
    writeImage("changing.bin", {});
    const auto path = folder.getChildFile("changing.bin").getFullPathName().toStdString();
    std::atomic<bool> done { false };

    std::thread changer([&] {
        for (std::uintmax_t size = 0; ! done; size = (size + 0x40000) % (FirmwareImage::size + 0x40000))
            std::filesystem::resize_file(path, size);
    });

    for (int i = 0; i < 100; ++i)
    {
        const int result = load("changing.bin");
        EXPECT_TRUE(result == 1 || (result >= UpdateStatus::noImageFile && result <= UpdateStatus::imageCrcMismatch))
            << result;
    }

    done = true;
    changer.join();
}
