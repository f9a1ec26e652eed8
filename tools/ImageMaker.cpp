#include "ImageMaker.h"

#include "update/FirmwareImage.h"

namespace
{
void fillPseudoRandom(juce::uint8* data, int length, juce::uint32 seed)
{
    juce::uint32 x = seed != 0 ? seed : 1; // xorshift32 never leaves zero

    for (int i = 0; i < length; ++i)
    {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        data[i] = static_cast<juce::uint8>(x >> 24);
    }
}
} // namespace

juce::MemoryBlock makeFirmwareImage(const ImageRequest& request)
{
    juce::MemoryBlock image(static_cast<size_t>(FirmwareImage::size), true);
    auto* data = static_cast<juce::uint8*>(image.getData());
    const int covered = FirmwareImage::crcOffset;

    fillPseudoRandom(data, covered, request.seed);

    const auto version = request.fault == ImageRequest::Fault::badVersion ? juce::String("1,00") : request.version;
    const auto* text = version.toRawUTF8();
    const auto textLength = version.getNumBytesAsUTF8();

    for (size_t i = 0; i < 4; ++i)
        data[FirmwareImage::versionOffset + static_cast<int>(i)] = i < textLength ? static_cast<juce::uint8>(text[i]) : 0;

    for (int i = 0; i < 4; ++i)
        data[FirmwareImage::dateOffset + i] = request.date[i];

    if (request.fault == ImageRequest::Fault::badDate)
        data[FirmwareImage::dateOffset + 2] = 0x13; // month thirteen

    auto crc = crc16Xmodem(data, covered);

    if (request.scrambled)
    {
        juce::uint32 crcTable[256];
        fillCrcTable(crcTable);
        descrambleFirmwareImage(crcTable, data, crc, static_cast<juce::uint32>(covered));
    }

    if (request.fault == ImageRequest::Fault::badCrc)
        crc ^= 0x0001;

    data[covered] = static_cast<juce::uint8>(crc & 0xFF);
    data[covered + 1] = static_cast<juce::uint8>(crc >> 8);

    if (request.fault == ImageRequest::Fault::wrongSize)
        image.setSize(image.getSize() - 1);

    return image;
}

bool parseDateStamp(const juce::String& text, juce::uint8* date)
{
    if (text.length() != 8 || ! text.containsOnly("0123456789"))
        return false;

    for (int i = 0; i < 4; ++i)
        date[i] = static_cast<juce::uint8>(((text[2 * i] - '0') << 4) | (text[2 * i + 1] - '0'));

    return true;
}
