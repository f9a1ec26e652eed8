// Every error the worker can record, reached for real against the simulated
// unit, and the worker always ending.

#include "support/UnreadableFile.h"
#include "support/UpdateHarness.h"

#include <gtest/gtest.h>

#include <filesystem>

using hidstandin::UnitCommand;
using hidstandin::UnitConfig;
using hidstandin::UnitFault;
using Action = hidstandin::UnitFault::Action;

namespace
{
class UpdateFailure : public testsupport::UpdateHarness
{
protected:
    void SetUp() override
    {
        UpdateHarness::SetUp();
        writeImage("vxqmrt6_A__v110.bin", {});
    }

    int runWithFault(UnitCommand command, Action action, int value = 0, int occurrence = 1)
    {
        UnitConfig config;
        config.faults.push_back({ command, occurrence, action, value });
        addUnit(config);
        startWorker();
        return runToEnd();
    }

    // Runs until the unit has taken at least `count` reports of that kind.
    void runUntilUnitHas(UnitCommand command, int count = 1)
    {
        ASSERT_TRUE(testsupport::pumpUntil([&] {
            if (component->status == UpdateStatus::ready)
                pressStart();
            return unit->reportsOf(command) >= count;
        }));
    }
};

struct ImageCase
{
    const char* name;
    ImageRequest::Fault fault;
    int expected;
};
} // namespace

TEST_F(UpdateFailure, aMissingOrBadImageEndsOnItsFileErrorWithoutAskingTheUnitsVersion)
{
    const ImageCase cases[] = {
        { "vxqmrt6_A__v110.txt", ImageRequest::Fault::none, UpdateStatus::noImageFile },
        { "vxqmrt6_A__v110.bin", ImageRequest::Fault::wrongSize, UpdateStatus::imageWrongSize },
        { "vxqmrt6_A__v110.bin", ImageRequest::Fault::badDate, UpdateStatus::imageBadDateOrVersion },
        { "vxqmrt6_A__v110.bin", ImageRequest::Fault::badVersion, UpdateStatus::imageBadDateOrVersion },
        { "vxqmrt6_A__v110.bin", ImageRequest::Fault::badCrc, UpdateStatus::imageCrcMismatch },
    };

    for (const auto& imageCase : cases)
    {
        SCOPED_TRACE(imageCase.expected);
        folder.getChildFile("vxqmrt6_A__v110.bin").deleteFile();
        ImageRequest request;
        request.fault = imageCase.fault;
        writeImage(imageCase.name, request);
        hidstandin::reset();
        addUnit({});
        startWorker();

        EXPECT_EQ(runToEnd(), imageCase.expected);
        EXPECT_EQ(unit->reportsOf(UnitCommand::versionQuery), 0);
        component.reset();
    }

    folder.getChildFile("vxqmrt6_A__v110.txt").deleteFile();
    folder.getChildFile("vxqmrt6_A__v110.bin").deleteFile();
    const testsupport::UnreadableFile unreadable(folder.getChildFile("vxqmrt6_A__v110.bin"));
    ASSERT_TRUE(unreadable.wasMade());
    hidstandin::reset();
    addUnit({});
    startWorker();
    EXPECT_EQ(runToEnd(), UpdateStatus::imageUnreadable);
}

TEST_F(UpdateFailure, aBadDateOrVersionFromTheUnitNeverReachesTheReadyScreen)
{
    UnitConfig badMonth;
    badMonth.date = { 0x20, 0x20, 0x13, 0x01 };
    addUnit(badMonth);
    startWorker();
    EXPECT_EQ(runToEnd(false), UpdateStatus::unitBadDateOrVersion);
    for (auto& region : component->regions)
        EXPECT_EQ(region.state, RegionRecord::present);

    component.reset();
    hidstandin::reset();
    UnitConfig noPoint;
    noPoint.version = { '1', '2', '3', '4' };
    addUnit(noPoint);
    startWorker();
    EXPECT_EQ(runToEnd(false), UpdateStatus::unitBadDateOrVersion);
    EXPECT_EQ(component->regions[0].state, RegionRecord::toBeWritten);
    EXPECT_EQ(component->regions[1].state, RegionRecord::present);
}

TEST_F(UpdateFailure, probeRefusalsGiveTheirReasonsCodes)
{
    const int expected[] = { 0, UpdateStatus::refusedReason1, UpdateStatus::refusedReason2, UpdateStatus::refusedReason3,
                             UpdateStatus::refusedReason4, UpdateStatus::unexpectedAnswer, UpdateStatus::unexpectedAnswer };

    for (int reason = 1; reason <= 6; ++reason)
    {
        SCOPED_TRACE(reason);
        hidstandin::reset();
        EXPECT_EQ(runWithFault(UnitCommand::probe, Action::refuse, reason), expected[reason]);
        EXPECT_EQ(component->cpuType, 0);
        EXPECT_EQ(component->fileCpuType, 0);
        component.reset();
    }
}

TEST_F(UpdateFailure, refusalsOfTheCheckSumAndThePollGiveTheirCodes)
{
    EXPECT_EQ(runWithFault(UnitCommand::checkSum, Action::refuse, 2), UpdateStatus::refusedReason2);
    component.reset();

    const std::pair<int, int> pollCases[] = { { 3, UpdateStatus::refusedReason3 }, { 4, UpdateStatus::refusedReason4 },
                                              { 1, UpdateStatus::unexpectedAnswer } };
    for (auto [reason, code] : pollCases)
    {
        SCOPED_TRACE(reason);
        hidstandin::reset();
        EXPECT_EQ(runWithFault(UnitCommand::poll, Action::refuse, reason), code);
        component.reset();
    }

    hidstandin::reset();
    EXPECT_EQ(runWithFault(UnitCommand::checkSum, Action::refuse, 3), UpdateStatus::unexpectedAnswer);
}

TEST_F(UpdateFailure, refusalsOfTheOtherReportsAreUnexpected)
{
    for (auto command : { UnitCommand::versionQuery, UnitCommand::prepare, UnitCommand::window, UnitCommand::data })
    {
        hidstandin::reset();
        EXPECT_EQ(runWithFault(command, Action::refuse, 1), UpdateStatus::unexpectedAnswer);
        component.reset();
    }
}

TEST_F(UpdateFailure, aRefusedLengthReportStillSendsItsDataButNoCheckSum)
{
    EXPECT_EQ(runWithFault(UnitCommand::length, Action::refuse, 1), UpdateStatus::unexpectedAnswer);
    EXPECT_EQ(unit->reportsOf(UnitCommand::data), 2115);
    EXPECT_EQ(unit->reportsOf(UnitCommand::checkSum), 0);
}

TEST_F(UpdateFailure, aWrongEchoIsNeverTakenForSuccess)
{
    for (auto command : { UnitCommand::probe, UnitCommand::prepare, UnitCommand::window, UnitCommand::data,
                          UnitCommand::checkSum, UnitCommand::poll })
    {
        hidstandin::reset();
        EXPECT_EQ(runWithFault(command, Action::wrongEcho), UpdateStatus::unexpectedAnswer);
        EXPECT_EQ(component->finished, 0);
        component.reset();
    }
}

TEST_F(UpdateFailure, aRefusalWithReasonFiveOrAnUnexpectedCodeIsUnexpected)
{
    EXPECT_EQ(runWithFault(UnitCommand::window, Action::refuse, 5), UpdateStatus::unexpectedAnswer);
    component.reset();

    hidstandin::reset();
    EXPECT_EQ(runWithFault(UnitCommand::probe, Action::wrongCode, 0x99), UpdateStatus::unexpectedAnswer);
    component.reset();

    hidstandin::reset();
    EXPECT_EQ(runWithFault(UnitCommand::poll, Action::wrongCode, 0x80), UpdateStatus::unexpectedAnswer);
}

TEST_F(UpdateFailure, theImageRemovedDuringTheTransferIsNotSent)
{
    addUnit({});
    startWorker();
    runUntilUnitHas(UnitCommand::checkSum);
    const int dataBefore = unit->reportsOf(UnitCommand::data);
    folder.getChildFile("vxqmrt6_A__v110.bin").deleteFile();

    EXPECT_EQ(runToEnd(), UpdateStatus::imageLostDuringTransfer);
    EXPECT_EQ(unit->reportsOf(UnitCommand::data), dataBefore) << "no report of the next chunk goes out";
    EXPECT_EQ(unit->reportsOf(UnitCommand::window), unit->reportsOf(UnitCommand::checkSum) + 1);
}

TEST_F(UpdateFailure, anImageCutShortDuringTheTransferIsNotSentAsZeros)
{
    addUnit({});
    startWorker();
    runUntilUnitHas(UnitCommand::checkSum);
    const int dataBefore = unit->reportsOf(UnitCommand::data);
    const auto file = folder.getChildFile("vxqmrt6_A__v110.bin");
    const auto modified = file.getLastModificationTime();
    std::filesystem::resize_file(file.getFullPathName().toStdString(), 0x100000);
    file.setLastModificationTime(modified);

    EXPECT_EQ(runToEnd(), UpdateStatus::imageLostDuringTransfer);
    EXPECT_EQ(unit->reportsOf(UnitCommand::data), dataBefore) << "no report of the next chunk goes out";
    EXPECT_TRUE(unitUntouched(0x20000, FirmwareImage::size));
}

std::string nameOfCommand(const testing::TestParamInfo<UnitCommand>& info)
{
    const char* names[] = { "probe", "versionQuery", "prepare", "window", "data", "length", "checkSum", "poll", "finish" };
    return names[static_cast<int>(info.param)];
}

// One case per step, each waiting out the full answer time-out.
class SilentUnit : public UpdateFailure, public testing::WithParamInterface<UnitCommand>
{
};

TEST_P(SilentUnit, endsTheUpdateInNoAnswer)
{
    EXPECT_EQ(runWithFault(GetParam(), Action::silent), UpdateStatus::noAnswer);
}

INSTANTIATE_TEST_SUITE_P(AtEveryStep, SilentUnit,
                         testing::Values(UnitCommand::probe, UnitCommand::versionQuery, UnitCommand::prepare,
                                         UnitCommand::window, UnitCommand::data, UnitCommand::length,
                                         UnitCommand::checkSum, UnitCommand::poll),
                         nameOfCommand);

TEST_F(UpdateFailure, aTimeOutLaterInTheChunkReplacesARefusedDataReport)
{
    UnitConfig config;
    config.faults.push_back({ UnitCommand::data, 2, Action::refuse, 1 });
    config.faults.push_back({ UnitCommand::data, 5, Action::silent, 0 });
    addUnit(config);
    startWorker();

    EXPECT_EQ(runToEnd(), UpdateStatus::noAnswer);
    EXPECT_EQ(unit->reportsOf(UnitCommand::data), 5);
}

// The removal callback leaves the probing worker alone: it waits out the time-out.
TEST_F(UpdateFailure, aUnitRemovedWhileItIsProbedShowsAsNoAnswer)
{
    UnitConfig config;
    config.unplugAfterReports = 1;
    addUnit(config);
    startWorker();

    EXPECT_EQ(runToEnd(), UpdateStatus::noAnswer);
    EXPECT_EQ(component->hid->connected, 0);
}

TEST_F(UpdateFailure, theUnitRemovedOnTheReadyScreenOrDuringTheTransferIsRecordedForGood)
{
    addUnit({});
    startWorker();
    ASSERT_TRUE(testsupport::pumpUntil([this] { return component->status == UpdateStatus::ready; }));
    hidstandin::unplug(unitNumber);
    EXPECT_EQ(runToEnd(false), UpdateStatus::unitRemoved);
    EXPECT_EQ(component->hid->connected, 0);
    component.reset();

    hidstandin::reset();
    addUnit({});
    startWorker();
    runUntilUnitHas(UnitCommand::data, 3000);
    hidstandin::unplug(unitNumber);
    EXPECT_EQ(runToEnd(), UpdateStatus::unitRemoved);
    EXPECT_EQ(component->finished, 0);
}

TEST_F(UpdateFailure, aUnitUnpluggedMidChunkEndsTheUpdate)
{
    UnitConfig config;
    config.unplugAfterReports = 500;
    addUnit(config);
    startWorker();
    EXPECT_EQ(runToEnd(), UpdateStatus::unitRemoved);
}

TEST_F(UpdateFailure, aUnitThatKeepsAnsweringProcessorKindOneIsProbedUntilStopped)
{
    UnitConfig config;
    config.processorKind1Probes = -1;
    addUnit(config);
    startWorker();
    runUntilUnitHas(UnitCommand::probe, 50);

    EXPECT_EQ(component->status, UpdateStatus::languageSelection);
    EXPECT_TRUE(component->stopWorker());
    EXPECT_EQ(component->cpuType, 1);
}

TEST_F(UpdateFailure, stoppingTheWorkerWhileItWaitsForAnAnswerEndsItAtOnce)
{
    for (auto command : { UnitCommand::probe, UnitCommand::versionQuery, UnitCommand::prepare, UnitCommand::window,
                          UnitCommand::data, UnitCommand::length, UnitCommand::checkSum, UnitCommand::poll })
    {
        SCOPED_TRACE(static_cast<int>(command));
        hidstandin::reset();
        UnitConfig config;
        config.faults.push_back({ command, 1, Action::silent, 0 });
        addUnit(config);
        startWorker();
        runUntilUnitHas(command);
        const int written = static_cast<int>(hidstandin::writtenReports(unitNumber).size());

        EXPECT_TRUE(component->stopWorker()) << "killed instead of stopped";
        EXPECT_EQ(static_cast<int>(hidstandin::writtenReports(unitNumber).size()), written) << "sent after the stop";
        component.reset();
    }
}

TEST(SumSelectedSizes, withNothingToWriteRecordsAnUnexpectedAnswer)
{
    hidstandin::reset();
    MainComponent component;
    component.regions[1].state = RegionRecord::upToDate;
    component.regions[1].size = 0x130000;

    EXPECT_FALSE(component.sumSelectedSizes());
    EXPECT_EQ(component.status, UpdateStatus::unexpectedAnswer);
}

TEST(SetStatus, anErrorStaysOverWorkerStatesAndTheRemovalStaysOverEverything)
{
    hidstandin::reset();
    MainComponent component;
    const auto after = [&component](int before, int code) {
        component.status = before;
        component.setStatus(code);
        return component.status.load();
    };

    EXPECT_EQ(after(UpdateStatus::startPressed, UpdateStatus::announceChunk), UpdateStatus::announceChunk);
    EXPECT_EQ(after(UpdateStatus::sendChunk, UpdateStatus::unexpectedAnswer), UpdateStatus::unexpectedAnswer);
    EXPECT_EQ(after(UpdateStatus::unexpectedAnswer, UpdateStatus::noAnswer), UpdateStatus::noAnswer);
    EXPECT_EQ(after(UpdateStatus::notConnected, UpdateStatus::unexpectedAnswer), UpdateStatus::unexpectedAnswer);

    for (int state : { UpdateStatus::languageSelection, UpdateStatus::ready, UpdateStatus::announceChunk,
                       UpdateStatus::sendCheckSum, UpdateStatus::pollWrite, UpdateStatus::complete })
        EXPECT_EQ(after(UpdateStatus::unexpectedAnswer, state), UpdateStatus::unexpectedAnswer) << state;

    for (int code : { UpdateStatus::ready, UpdateStatus::complete, UpdateStatus::noAnswer, UpdateStatus::unexpectedAnswer })
        EXPECT_EQ(after(UpdateStatus::unitRemoved, code), UpdateStatus::unitRemoved) << code;
}
