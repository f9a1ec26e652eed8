#pragma once

#include <juce_core/juce_core.h>

// The firmware image format and the checks on it.
namespace FirmwareImage
{
constexpr juce::int64 size = 0x200000;
constexpr int versionOffset = 0x1C0000;
constexpr int dateOffset = 0x1CFFFC;
constexpr int crcOffset = 0x1FFFFE; // the CRC covers everything before it
} // namespace FirmwareImage

// CRC-16/XMODEM of the first `length` bytes; 0 for a length of 0 or less.
juce::uint16 crc16Xmodem(const juce::uint8* data, int length);

// Fills the 256 entries of the most-significant-bit-first CRC-32 table of
// polynomial 0x04C11DB7, from which the scrambling mask is derived.
void fillCrcTable(juce::uint32* crcTable);

// XORs every whole 16-bit word of the buffer with the mask derived from the
// key through the table; its own inverse. A last odd byte stays as it is.
void descrambleFirmwareImage(const juce::uint32* crcTable, juce::uint8* buffer, juce::uint16 key, juce::uint32 length);

// Digit, full stop, digit, digit; characters after the fourth are not examined.
bool isVersionString(const juce::String& text);

// A date stamp in reversed order (day, month, year's last two digits, year's
// first two digits), tested against upper bounds only.
bool isBcdDate(const juce::uint8 date[4]);
