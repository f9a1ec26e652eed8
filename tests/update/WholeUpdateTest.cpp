// Whole updates against the simulated unit, through the real device link,
// the message thread and the worker thread.

#include "support/UpdateHarness.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

using hidstandin::UnitCommand;
using hidstandin::UnitConfig;

namespace
{
constexpr juce::int64 regionsEnd = 0x1D0000;

class WholeUpdate : public testsupport::UpdateHarness
{
protected:
    // An image dated 2024-06-15, version 1.10; the unit is older unless told.
    void writeImageFor(bool variantB, bool scrambled)
    {
        request.scrambled = scrambled;
        writeImage(variantB ? "vxqmrt6_B__v110.bin" : "vxqmrt6_A__v110.bin", request);
    }

    ImageRequest request;
};

// One chunk as the unit received it: its window, then its data reports of 62
// bytes, the announced length of the final piece and the reports after it.
struct ChunkSent
{
    int target;
    juce::uint32 address, length;
    int fullDataReports = 0, finalLength = 0, finalDataReports = 0;

    bool operator==(const ChunkSent& other) const
    {
        return std::tie(target, address, length, fullDataReports, finalLength, finalDataReports)
               == std::tie(other.target, other.address, other.length, other.fullDataReports, other.finalLength,
                           other.finalDataReports);
    }
};

std::ostream& operator<<(std::ostream& out, const ChunkSent& chunk)
{
    return out << "{" << std::hex << chunk.target << " at " << chunk.address << ", " << chunk.length << std::dec << ": "
               << chunk.fullDataReports << " + length " << chunk.finalLength << " + " << chunk.finalDataReports << "}";
}

std::vector<ChunkSent> chunksSent(const std::vector<hidstandin::Report>& reports)
{
    std::vector<ChunkSent> chunks;

    for (const auto& report : reports)
    {
        const auto word = [&report](int at) {
            return static_cast<juce::uint32>(report[at] | report[at + 1] << 8 | report[at + 2] << 16 | report[at + 3] << 24);
        };

        if (report[1] == 0x02)
            chunks.push_back({ report[0], word(2), word(7) });
        else if (chunks.empty())
            continue;
        else if (report[1] == 0x07)
            chunks.back().finalLength = report[2];
        else if (report[1] == 0x03)
            ++(chunks.back().finalLength == 0 ? chunks.back().fullDataReports : chunks.back().finalDataReports);
    }

    return chunks;
}

struct RegionWritten
{
    int target;
    juce::uint32 address, size;
};

// Every chunk of 0x20000 bytes but a region's last; the reports of each chunk
// size as the protocol lays them out.
std::vector<ChunkSent> chunksExpected(std::initializer_list<RegionWritten> written)
{
    const std::map<juce::uint32, std::pair<int, int>> reportsBySize = { { 0x20000, { 2114, 4 } },
                                                                        { 0x10000, { 1057, 2 } },
                                                                        { 0x1000, { 66, 4 } } };
    std::vector<ChunkSent> chunks;

    for (const auto& region : written)
    {
        for (juce::uint32 offset = 0; offset < region.size; offset += 0x20000)
        {
            const auto length = std::min<juce::uint32>(0x20000, region.size - offset);
            const auto reports = reportsBySize.at(length);
            chunks.push_back({ region.target, region.address + offset, length, reports.first, reports.second, 1 });
        }
    }

    return chunks;
}

} // namespace

// Outside the anonymous namespace: the test's parameter lives in GoogleTest's own classes.
struct Plan
{
    bool variantB, scrambled, sameDate;
};

class EveryPlan : public WholeUpdate, public testing::WithParamInterface<Plan>
{
};

TEST_P(EveryPlan, endsCompleteWithTheUnitHoldingThePlainImageOverTheRegionsWritten)
{
    const auto plan = GetParam();
    writeImageFor(plan.variantB, plan.scrambled);
    UnitConfig config;
    config.variantB = plan.variantB;
    config.busyPolls = plan.variantB ? 2 : 0; // both busy answers before each chunk is written

    if (plan.sameDate)
        config.date = { request.date[0], request.date[1], request.date[2], request.date[3] };

    addUnit(config);
    startWorker();

    EXPECT_EQ(runToEnd(), UpdateStatus::complete);
    EXPECT_EQ(component->finished, 1);
    EXPECT_EQ(progress(), 1.0);
    EXPECT_EQ(component->fileScrambled, plan.scrambled ? 1 : 0);
    EXPECT_TRUE(unit->finished());

    const auto reports = hidstandin::writtenReports(unitNumber);
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back()[0], 0xF0);
    EXPECT_EQ(reports.back()[1], 0x06);

    const auto image = plainImage(request);

    if (plan.sameDate)
    {
        EXPECT_EQ(component->totalBytes, 0x131000);
        EXPECT_EQ(component->firstRegionStarted, 0);
        EXPECT_EQ(unit->prepared(), (std::array<std::uint32_t, 2> { 0x1C0000, 0x1000 }));
        EXPECT_TRUE(unitUntouched(0, 0x90000));
        EXPECT_TRUE(unitHolds(image, 0x90000, 0x1C1000));
        EXPECT_TRUE(unitUntouched(0x1C1000, FirmwareImage::size));
        EXPECT_EQ(chunksSent(reports), chunksExpected({ { 0xF2, 0x90000, 0x130000 }, { 0xF7, 0x1C0000, 0x1000 } }));
    }
    else
    {
        EXPECT_EQ(component->totalBytes, regionsEnd);
        EXPECT_EQ(component->firstRegionStarted, 1);
        EXPECT_EQ(unit->prepared(), (std::array<std::uint32_t, 2> { 0x1C0000, 0x10000 }));
        EXPECT_TRUE(unitHolds(image, 0, regionsEnd));
        EXPECT_TRUE(unitUntouched(regionsEnd, FirmwareImage::size));
        EXPECT_EQ(chunksSent(reports), chunksExpected({ { 0xF1, 0, 0x90000 }, { 0xF2, 0x90000, 0x130000 },
                                                        { 0xF7, 0x1C0000, 0x10000 } }));
    }
}

INSTANTIATE_TEST_SUITE_P(VariantImageAndDate, EveryPlan,
                         testing::Values(Plan { false, false, false }, Plan { false, true, false },
                                         Plan { true, false, false }, Plan { true, true, false },
                                         Plan { false, false, true }, Plan { false, true, true },
                                         Plan { true, false, true }, Plan { true, true, true }),
                         [](const testing::TestParamInfo<Plan>& info) {
                             return std::string(info.param.variantB ? "B" : "A")
                                    + (info.param.scrambled ? "_scrambled" : "_plain")
                                    + (info.param.sameDate ? "_sameDate" : "_olderUnit");
                         });

TEST_F(WholeUpdate, aFullChunkGoesAs2114DataReportsThenALengthOfFourAndFourBytes)
{
    writeImageFor(false, false);
    addUnit({});
    startWorker();
    ASSERT_EQ(runToEnd(), UpdateStatus::complete);

    const auto reports = hidstandin::writtenReports(unitNumber);
    // probe, version query, prepare, window, then the first chunk's data.
    ASSERT_GT(reports.size(), 4u + 2116u);
    const size_t first = 4;

    for (size_t i = first; i < first + 2114; ++i)
        ASSERT_EQ(reports[i][1], 0x03) << i;

    EXPECT_EQ(reports[first + 2114][1], 0x07);
    EXPECT_EQ(reports[first + 2114][2], 4);
    EXPECT_EQ(reports[first + 2115][1], 0x03);
    const auto image = plainImage(request);
    EXPECT_EQ(std::memcmp(reports[first + 2115].data() + 2, static_cast<const char*>(image.getData()) + 0x20000 - 4, 4), 0);
    EXPECT_TRUE(std::all_of(reports[first + 2115].begin() + 6, reports[first + 2115].end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(reports[first + 2116][1], 0x04);
}

TEST_F(WholeUpdate, aUnitThatAnswersTheVersionQueryWithFFBytesCountsAsVersionZero)
{
    writeImageFor(false, false);
    UnitConfig config;
    config.version.fill(0xFF);
    addUnit(config);
    startWorker();

    EXPECT_EQ(runToEnd(), UpdateStatus::complete);
    EXPECT_EQ(component->deviceVersion, "0.00");
}

TEST_F(WholeUpdate, aUnitPluggedInAfterTheStartIsFoundOnItsArrival)
{
    writeImageFor(false, false);
    addUnit({}, false);
    component = std::make_unique<MainComponent>();
    EXPECT_EQ(component->hid->connected, 0);

    hidstandin::plug(unitNumber);
    ASSERT_TRUE(testsupport::pumpUntil([this] { return component->hid->connected == 1; }));

    startWorker();
    EXPECT_EQ(runToEnd(), UpdateStatus::complete);
}
