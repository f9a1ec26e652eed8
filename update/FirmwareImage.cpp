#include "FirmwareImage.h"

namespace
{
// The CRC of each byte value on its own, so that a byte of the 2 MiB image
// costs one look-up rather than eight conditional shifts.
struct Crc16Table
{
    juce::uint16 entries[256];
};

constexpr Crc16Table crc16Table = [] {
    Crc16Table table {};

    for (int i = 0; i < 256; ++i)
    {
        auto r = static_cast<juce::uint16>(i << 8);

        for (int bit = 0; bit < 8; ++bit)
            r = static_cast<juce::uint16>((r & 0x8000) != 0 ? (r << 1) ^ 0x1021 : r << 1);

        table.entries[i] = r;
    }

    return table;
}();
} // namespace

juce::uint16 crc16Xmodem(const juce::uint8* data, int length)
{
    juce::uint16 crc = 0;

    for (int i = 0; i < length; ++i)
        crc = static_cast<juce::uint16>((crc << 8) ^ crc16Table.entries[((crc >> 8) ^ data[i]) & 0xFF]);

    return crc;
}

void fillCrcTable(juce::uint32* crcTable)
{
    for (juce::uint32 i = 0; i < 256; ++i)
    {
        juce::uint32 x = i << 24;

        for (int bit = 0; bit < 8; ++bit)
            x = (x & 0x80000000u) != 0 ? (x << 1) ^ 0x04C11DB7u : x << 1;

        crcTable[i] = x;
    }
}

void descrambleFirmwareImage(const juce::uint32* crcTable, juce::uint8* buffer, juce::uint16 key, juce::uint32 length)
{
    const juce::uint32 t = crcTable[(key >> 4) & 0xFF] ^ crcTable[key >> 8] ^ crcTable[key & 0xFF];
    const auto mask = static_cast<juce::uint16>((t ^ (t >> 16) ^ key) & 0xFFFF);
    const auto low = static_cast<juce::uint8>(mask & 0xFF);
    const auto high = static_cast<juce::uint8>(mask >> 8);

    for (juce::uint32 i = 0; i < length / 2; ++i)
    {
        buffer[2 * i] ^= low;
        buffer[2 * i + 1] ^= high;
    }
}

bool isVersionString(const juce::String& text)
{
    if (text.length() < 4)
        return false;

    const auto isDigit = [](juce::juce_wchar c) { return c >= '0' && c <= '9'; };
    return isDigit(text[0]) && text[1] == '.' && isDigit(text[2]) && isDigit(text[3]);
}

bool isBcdDate(const juce::uint8 date[4])
{
    return date[0] <= 0x31 && date[1] <= 0x12 && date[2] <= 0x50 && date[3] <= 0x20;
}
