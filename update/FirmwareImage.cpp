#include "FirmwareImage.h"

juce::uint16 crc16Xmodem(const juce::uint8* data, int length)
{
    // The augmented bitwise form: data bytes shift through a 24-bit register,
    // then two zero bytes flush it.
    juce::uint32 r = 0;

    const auto shiftByte = [&r] {
        for (int bit = 0; bit < 8; ++bit)
        {
            r <<= 1;

            if ((r & 0x1000000u) != 0)
                r ^= 0x1102100u;
        }
    };

    for (int i = 0; i < length; ++i)
    {
        r |= data[i];
        shiftByte();
    }

    shiftByte();
    shiftByte();

    return static_cast<juce::uint16>(r >> 8);
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
