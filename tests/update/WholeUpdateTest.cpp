// Whole updates against the simulated unit, through the real device link,
// the message thread and the worker thread.

#include "support/UpdateHarness.h"

#include <gtest/gtest.h>

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
} // namespace

TEST_F(WholeUpdate, anOlderUnitGetsAllThreeRegionsWrittenByteForByte)
{
    writeImageFor(false, false);
    addUnit({});
    startWorker();

    EXPECT_EQ(runToEnd(), UpdateStatus::complete);
    EXPECT_EQ(component->finished, 1);
    EXPECT_EQ(progress(), 1.0);
    EXPECT_FALSE(progressFell);
    EXPECT_EQ(component->totalBytes, regionsEnd);
    EXPECT_EQ(component->firstRegionStarted, 1);

    EXPECT_TRUE(unitHolds(plainImage(request), 0, regionsEnd));
    EXPECT_TRUE(unitUntouched(regionsEnd, FirmwareImage::size));
    EXPECT_TRUE(unit->finished());
    EXPECT_EQ(unit->prepared(), (std::array<std::uint32_t, 2> { 0x1C0000, 0x10000 }));

    // 13 chunks of 0x20000 bytes and 3 of 0x10000.
    EXPECT_EQ(unit->reportsOf(UnitCommand::window), 16);
    EXPECT_EQ(unit->reportsOf(UnitCommand::length), 16);
    EXPECT_EQ(unit->reportsOf(UnitCommand::data), 13 * 2115 + 3 * 1058);
    EXPECT_EQ(unit->reportsOf(UnitCommand::checkSum), 16);
}

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
    EXPECT_EQ(reports.back()[0], 0xF0);
    EXPECT_EQ(reports.back()[1], 0x06);
}

TEST_F(WholeUpdate, aScrambledImageForVariantBReachesTheUnitPlain)
{
    writeImageFor(true, true);
    UnitConfig config;
    config.variantB = true;
    config.busyPolls = 2;
    addUnit(config);
    startWorker();

    EXPECT_EQ(runToEnd(), UpdateStatus::complete);
    EXPECT_EQ(component->fileScrambled, 1);
    EXPECT_TRUE(unitHolds(plainImage(request), 0, regionsEnd));
}

TEST_F(WholeUpdate, aUnitWithTheImagesDateGetsOnlyRegionOneAndTheStartOfRegionTwo)
{
    for (bool scrambled : { false, true })
    {
        SCOPED_TRACE(scrambled ? "scrambled" : "plain");
        hidstandin::reset();
        writeImageFor(false, scrambled);
        UnitConfig config;
        config.date = { request.date[0], request.date[1], request.date[2], request.date[3] };
        addUnit(config);
        startWorker();

        EXPECT_EQ(runToEnd(), UpdateStatus::complete);
        EXPECT_EQ(component->totalBytes, 0x131000);
        EXPECT_EQ(component->firstRegionStarted, 0);
        EXPECT_EQ(unit->prepared(), (std::array<std::uint32_t, 2> { 0x1C0000, 0x1000 }));
        EXPECT_TRUE(unitUntouched(0, 0x90000));
        EXPECT_TRUE(unitHolds(plainImage(request), 0x90000, 0x1C1000));
        EXPECT_TRUE(unitUntouched(0x1C1000, FirmwareImage::size));
        EXPECT_EQ(unit->reportsOf(UnitCommand::window), 11);

        component.reset();
        EXPECT_EQ(unit->violations(), std::vector<std::string> {});
    }
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
