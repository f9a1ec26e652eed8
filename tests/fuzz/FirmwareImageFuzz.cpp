// Feeds arbitrary bytes to the image verification as the image file, and
// stops on any result but "good" or one of the image error codes.
//
// Input: a first byte below 0x80 means the rest is the file as it stands.
// Otherwise the rest patches a valid image (version text, date stamp), which
// is then scrambled, left with a wrong CRC or cut short as the first byte's
// bits say, so that the search also reaches the checks behind the CRC.

#include "app/MainComponent.h"
#include "tools/ImageMaker.h"
#include "update/FirmwareImage.h"
#include "update/UpdateStatus.h"

#include <juce_events/juce_events.h>

#include <cstdlib>

namespace
{
constexpr juce::uint8 structured = 0x80, scramble = 0x01, keepWrongCrc = 0x02, cutShort = 0x04;

juce::MemoryBlock imageFrom(const juce::uint8* input, size_t size)
{
    if (size == 0 || (input[0] & structured) == 0)
        return size > 0 ? juce::MemoryBlock(input + 1, size - 1) : juce::MemoryBlock();

    const auto flags = input[0];
    static const auto validImage = makeFirmwareImage({});
    auto image = validImage;
    auto* data = static_cast<juce::uint8*>(image.getData());

    for (size_t i = 1; i < size && i <= 8; ++i)
        data[(i <= 4 ? FirmwareImage::versionOffset - 1 : FirmwareImage::dateOffset - 5) + static_cast<int>(i)] = input[i];

    auto crc = crc16Xmodem(data, FirmwareImage::crcOffset);

    if ((flags & scramble) != 0)
    {
        juce::uint32 table[256];
        fillCrcTable(table);
        descrambleFirmwareImage(table, data, crc, FirmwareImage::crcOffset);
    }

    if ((flags & keepWrongCrc) != 0)
        crc = static_cast<juce::uint16>(crc + 1);

    data[FirmwareImage::crcOffset] = static_cast<juce::uint8>(crc & 0xFF);
    data[FirmwareImage::crcOffset + 1] = static_cast<juce::uint8>(crc >> 8);

    if ((flags & cutShort) != 0 && size > 9)
        image.setSize(static_cast<size_t>(input[9]) * 4096);

    return image;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const juce::uint8* input, size_t size)
{
    // Made once and kept to the process's end: the fuzzer leaves through exit(),
    // where JUCE's own statics may already be gone.
    static auto* juce = new juce::ScopedJuceInitialiser_GUI();
    static auto* unit = new MainComponent();
    static const juce::TemporaryFile file(".bin");
    juce::ignoreUnused(juce);

    const auto image = imageFrom(input, size);
    file.getFile().replaceWithData(image.getData(), image.getSize());

    juce::uint8 date[4];
    juce::String version;
    const int result = unit->loadFirmwareFile(file.getFile(), date, version);

    if (result != 1 && (result < UpdateStatus::noImageFile || result > UpdateStatus::imageCrcMismatch))
        std::abort();

    return 0;
}
