#pragma once

#include <juce_core/juce_core.h>

// The reports exchanged with the unit: 64 bytes each, byte 0 the command
// family or region target (echoed by every answer), byte 1 the command or
// answer code; 32-bit numbers little-endian.
namespace UnitProtocol
{
constexpr int reportSize = 64;
constexpr juce::uint8 unitWide = 0xF0;

namespace Command
{
constexpr juce::uint8 probe = 0x00, versionQuery = 0x01, window = 0x02, data = 0x03, checkSum = 0x04,
                      poll = 0x05, finish = 0x06, length = 0x07, prepare = 0x08;
}

namespace Answer
{
constexpr juce::uint8 accepted = 0x80, refused = 0x81, version = 0x82, busy = 0x83, stillBusy = 0x84,
                      written = 0x85, processorKind1 = 0x8A, variantA = 0x8B, variantB = 0x8C;
}

constexpr juce::uint8 probeMarker = 0x7F;
constexpr juce::uint8 windowMarker = 0xFF;
constexpr int answerTimeoutMs = 10000;
constexpr int dataPerReport = 62;
constexpr juce::int64 chunkSize = 0x20000;

// The check sum of a chunk: its bytes added as unsigned values, modulo 2^32.
juce::uint32 sumBytes(const juce::uint8* buffer, int length);

void writeLittleEndian(juce::uint8* report, int offset, juce::uint32 value);
} // namespace UnitProtocol
