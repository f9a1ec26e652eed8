// Finding the image for the unit's variant beside the executable, verifying
// it, and planning the three regions.

#include "app/MainComponent.h"

#include "FirmwareImage.h"
#include "ImageFolder.h"
#include "UpdateStatus.h"

#include <filesystem>

namespace
{
constexpr int acceptedNameLength = 19;
constexpr int comparedPrefixLength = 9; // "vxqmrt6_A", compared with its letter case

struct PlannedRegion
{
    juce::int64 size, offset;
    juce::uint8 target;
};

constexpr PlannedRegion plan[3] = {
    { 0x90000, 0, 0xF1 },
    { 0x130000, 0x90000, 0xF2 },
    { 0x10000, 0x1C0000, 0xF7 },
};

// The folder's files that the wildcard matches, ignoring letter case on every
// platform as Windows' listing does, in the order the folder lists them.
juce::Array<juce::File> listMatchingFiles(const juce::File& folder, const juce::String& pattern)
{
    juce::Array<juce::File> matches;

    for (auto& file : folder.findChildFiles(juce::File::findFiles, false, "*"))
        if (file.getFileName().matchesWildcard(pattern, true))
            matches.add(file);

    return matches;
}

juce::String nameAfterLastSeparator(const juce::String& path)
{
    return path.substring(path.lastIndexOfChar(juce::File::getSeparatorChar()) + 1);
}

// Reads at most one byte more than an image holds, so that any file, however
// large, costs no more memory than an image. The result is 0 when the bytes
// read agree with the size the file system reported, else the read error.
int readBounded(const juce::File& image, juce::int64 reportedSize, juce::MemoryBlock& bytes)
{
    // Folders, pipes and devices are no image; opening a pipe would block for good.
    std::error_code error;
    const auto path = std::filesystem::u8path(image.getFullPathName().toStdString());

    if (! std::filesystem::is_regular_file(path, error))
        return UpdateStatus::imageUnreadable;

    juce::FileInputStream stream(image);

    if (! stream.openedOk())
        return UpdateStatus::imageUnreadable;

    const auto wanted = juce::jmin(reportedSize, FirmwareImage::size) + 1;
    const auto got = static_cast<juce::int64>(stream.readIntoMemoryBlock(bytes, static_cast<ssize_t>(wanted)));

    // A file larger than an image need not be read to its end to be refused.
    const auto expected = reportedSize > FirmwareImage::size ? wanted : reportedSize;
    return got == expected ? 0 : UpdateStatus::imageUnreadable;
}
} // namespace

void MainComponent::findFirmwareFile()
{
    juce::File candidate;

    // Only a unit that named its variant has an image to look for.
    if (cpuType == 2)
    {
        const juce::String pattern = variantB == 0 ? "vxqmrt6_A__v*.bin" : "vxqmrt6_B__v*.bin";

        for (auto& file : listMatchingFiles(imageFolder(), pattern))
        {
            const auto name = nameAfterLastSeparator(file.getFullPathName());

            if (name.length() == acceptedNameLength
                && name.substring(0, comparedPrefixLength) == pattern.substring(0, comparedPrefixLength))
            {
                fileCpuType = cpuType;
                candidate = file; // the last accepted file in the listing wins
            }
        }
    }

    if (candidate == juce::File() || ! candidate.exists())
    {
        layoutReady = 0;
        setStatus(UpdateStatus::noImageFile);
        return;
    }

    const int code = loadFirmwareFile(candidate, fileDate, fileVersion);

    for (auto& region : regions)
        region.state = code;

    if (code == UpdateStatus::noImageFile)
    {
        setStatus(UpdateStatus::unexpectedAnswer); // vanished after the search found it
        return;
    }

    if (code != RegionRecord::present)
    {
        setStatus(code);
        return;
    }

    for (int i = 0; i < 3; ++i)
    {
        regions[i].file = candidate;
        regions[i].size = plan[i].size;
        regions[i].fileOffset = plan[i].offset;
        regions[i].address = plan[i].offset;
        regions[i].target = plan[i].target;
    }

    layoutReady = 8;
}

int MainComponent::loadFirmwareFile(const juce::File& image, juce::uint8* date, juce::String& version)
{
    if (! image.exists())
        return UpdateStatus::noImageFile;

    // Noted before the read: a change after this point shows at the transfer.
    fileSize = image.getSize();
    fileModified = image.getLastModificationTime();

    juce::MemoryBlock bytes;

    if (const int readError = readBounded(image, fileSize, bytes))
        return readError;

    if (static_cast<juce::int64>(bytes.getSize()) != FirmwareImage::size)
        return UpdateStatus::imageWrongSize;

    auto* data = static_cast<juce::uint8*>(bytes.getData());
    const int covered = FirmwareImage::crcOffset;

    fileKey = static_cast<juce::uint16>(data[covered] | (data[covered + 1] << 8));
    fileScrambled = 0;

    if (crc16Xmodem(data, covered) != fileKey)
    {
        descrambleFirmwareImage(crcTable, data, fileKey, static_cast<juce::uint32>(covered));

        if (crc16Xmodem(data, covered) != fileKey)
            return UpdateStatus::imageCrcMismatch;

        fileScrambled = 1;
    }

    for (int i = 0; i < 4; ++i)
        date[i] = data[FirmwareImage::dateOffset + 3 - i];

    if (! isBcdDate(date))
        return UpdateStatus::imageBadDateOrVersion;

    version = {};

    for (int i = 0; i < 4; ++i)
        version += juce::String::charToString(static_cast<juce::juce_wchar>(data[FirmwareImage::versionOffset + i]));

    return isVersionString(version) ? RegionRecord::present : UpdateStatus::imageBadDateOrVersion;
}
