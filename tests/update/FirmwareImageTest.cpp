// The image checks: CRC-16, the scrambling table and mask, version and date tests.

#include "update/FirmwareImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
// The CRC computed bit by bit in its augmented form: data shifts through a
// 24-bit register, then two zero bytes flush it.
juce::uint16 bitwiseCrc16(const std::vector<juce::uint8>& data)
{
    juce::uint32 r = 0;
    const auto shiftByte = [&r] {
        for (int bit = 0; bit < 8; ++bit)
            if (((r <<= 1) & 0x1000000u) != 0)
                r ^= 0x1102100u;
    };

    for (auto byte : data)
    {
        r |= byte;
        shiftByte();
    }

    shiftByte();
    shiftByte();
    return static_cast<juce::uint16>(r >> 8);
}
} // namespace

TEST(Crc16Xmodem, matchesThePublishedCheckValueAndIsZeroForNoData)
{
    const juce::uint8 digits[] = { '1', '2', '3', '4', '5', '6', '7', '8', '9' };

    EXPECT_EQ(crc16Xmodem(digits, 9), 0x31C3);
    EXPECT_EQ(crc16Xmodem(digits, 0), 0);
    EXPECT_EQ(crc16Xmodem(digits, -4), 0);
}

TEST(Crc16Xmodem, agreesWithTheBitwiseFormOverEveryByteValue)
{
    juce::Random random(20240615);
    std::vector<juce::uint8> data(0x10000);
    for (auto& byte : data)
        byte = static_cast<juce::uint8>(random.nextInt(256));

    for (size_t length : { size_t(1), size_t(2), size_t(255), data.size() })
    {
        const std::vector<juce::uint8> part(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(crc16Xmodem(part.data(), static_cast<int>(length)), bitwiseCrc16(part)) << length << " bytes";
    }
}

TEST(CrcTable, isTheMostSignificantBitFirstCrc32Table)
{
    juce::uint32 table[256];
    fillCrcTable(table);

    EXPECT_EQ(table[0], 0u);
    EXPECT_EQ(table[1], 0x04C11DB7u);
    EXPECT_EQ(table[128], 0x690CE0EEu);
    EXPECT_EQ(table[255], 0xB1F740B4u);
}

TEST(Descrambling, isItsOwnInverseAndLeavesAnOddLastByte)
{
    juce::uint32 table[256];
    fillCrcTable(table);

    std::vector<juce::uint8> original(101);
    for (size_t i = 0; i < original.size(); ++i)
        original[i] = static_cast<juce::uint8>(i * 7);

    auto buffer = original;
    descrambleFirmwareImage(table, buffer.data(), 0x1234, 101);
    EXPECT_NE(buffer, original);
    EXPECT_EQ(buffer[100], original[100]);

    // Every word carries the same mask, so whole-image and chunk-wise agree.
    EXPECT_EQ(buffer[0] ^ original[0], buffer[98] ^ original[98]);
    EXPECT_EQ(buffer[1] ^ original[1], buffer[99] ^ original[99]);

    descrambleFirmwareImage(table, buffer.data(), 0x1234, 101);
    EXPECT_EQ(buffer, original);

    descrambleFirmwareImage(table, buffer.data(), 0x1234, 1);
    descrambleFirmwareImage(table, buffer.data(), 0x1234, 0);
    EXPECT_EQ(buffer, original);
}

TEST(Descrambling, derivesItsMaskFromTheKeyThroughTheTable)
{
    juce::uint32 table[256];
    fillCrcTable(table);

    // Masks worked out by hand from the table rule, low byte first.
    const struct { juce::uint16 key; juce::uint8 low, high; } cases[] = {
        { 0x1234, 0x9A, 0x6E }, { 0xBEEF, 0x5D, 0x0B }, { 0x0001, 0x77, 0x19 }, { 0x0000, 0x00, 0x00 },
    };

    for (const auto& c : cases)
    {
        juce::uint8 zeros[4] = {};
        descrambleFirmwareImage(table, zeros, c.key, 4);
        const juce::uint8 mask[4] = { c.low, c.high, c.low, c.high };
        EXPECT_EQ(std::memcmp(zeros, mask, 4), 0) << "key " << c.key;
    }
}

TEST(VersionText, isDigitPointDigitDigitAndOnlyTheFirstFourCount)
{
    EXPECT_TRUE(isVersionString("1.10"));
    EXPECT_TRUE(isVersionString("0.00x"));
    EXPECT_FALSE(isVersionString("1.1"));
    EXPECT_FALSE(isVersionString("1,10"));
    EXPECT_FALSE(isVersionString("A.10"));
    EXPECT_FALSE(isVersionString("1.1A"));
    EXPECT_FALSE(isVersionString(""));
}

TEST(DateStamp, isTestedAgainstUpperBoundsOnly)
{
    const juce::uint8 highest[4] = { 0x31, 0x12, 0x50, 0x20 };
    const juce::uint8 zeros[4] = { 0, 0, 0, 0 };
    const juce::uint8 notQuiteBcd[4] = { 0x1A, 0x0F, 0x4F, 0x1F };
    EXPECT_TRUE(isBcdDate(highest));
    EXPECT_TRUE(isBcdDate(zeros));
    EXPECT_TRUE(isBcdDate(notQuiteBcd));

    for (int i = 0; i < 4; ++i)
    {
        juce::uint8 date[4] = { 0x31, 0x12, 0x50, 0x20 };
        ++date[i];
        EXPECT_FALSE(isBcdDate(date)) << "byte " << i;
    }
}
