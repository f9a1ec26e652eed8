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

// Whether the stored CRC verifies the body as it stands or de-scrambled with
// the mask that the CRC gives; the body is left as it was.
bool verifiesInEitherForm(juce::uint8* body, juce::uint16 stored, const juce::uint32* crcTable)
{
    const int covered = FirmwareImage::crcOffset;

    if (crc16Xmodem(body, covered) == stored)
        return true;

    descrambleFirmwareImage(crcTable, body, stored, static_cast<juce::uint32>(covered));
    const bool matches = crc16Xmodem(body, covered) == stored;
    descrambleFirmwareImage(crcTable, body, stored, static_cast<juce::uint32>(covered));
    return matches;
}

// A stored CRC that the verification refuses: the first value from the right
// one with its lowest bit flipped on that matches in neither form, since one
// in about 65536 would by chance match the de-scrambled body.
juce::uint16 wrongCrc(juce::uint8* body, juce::uint16 right, const juce::uint32* crcTable)
{
    auto stored = static_cast<juce::uint16>(right ^ 1);

    while (verifiesInEitherForm(body, stored, crcTable))
        ++stored;

    return stored;
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
    juce::uint32 crcTable[256];
    fillCrcTable(crcTable);

    if (request.scrambled)
        descrambleFirmwareImage(crcTable, data, crc, static_cast<juce::uint32>(covered));

    if (request.fault == ImageRequest::Fault::badCrc)
        crc = wrongCrc(data, crc, crcTable);

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
