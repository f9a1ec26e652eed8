// The simulated unit on its own: what it answers, what it writes, the faults
// it is told to make, and that it notes every report out of order, since the
// integration tests rely on it to catch a program that breaks the protocol.

#include "platform/vxqmrt6hid-standin/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <functional>

using hidstandin::Report;
using hidstandin::SimulatedUnit;
using hidstandin::UnitCommand;
using hidstandin::UnitConfig;
using Action = hidstandin::UnitFault::Action;

namespace
{
constexpr std::uint8_t regionTwo = 0xF7;
constexpr std::uint32_t regionTwoAddress = 0x1C0000;

class RecordingLink : public hidstandin::DeviceLink
{
public:
    int deviceNumber() const override { return 0; }
    void answer(Report report, int delayMs) override
    {
        answers.push_back(std::move(report));
        delays.push_back(delayMs);
    }
    void unplug() override { ++unplugs; }

    std::vector<Report> answers;
    std::vector<int> delays;
    int unplugs = 0;
};

Report report(std::uint8_t target, std::uint8_t code)
{
    Report bytes(64, 0);
    bytes[0] = target;
    bytes[1] = code;
    return bytes;
}

void putLittleEndian(Report& bytes, int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(offset + i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

Report addressed(std::uint8_t code, std::uint32_t address, std::uint32_t length)
{
    auto bytes = report(regionTwo, code);
    putLittleEndian(bytes, 2, address);
    bytes[6] = 0xFF;
    putLittleEndian(bytes, 7, length);
    return bytes;
}

Report prepare() { return addressed(0x08, regionTwoAddress, 0x10000); }
Report window(std::uint32_t length) { return addressed(0x02, regionTwoAddress, length); }

Report data(const std::vector<std::uint8_t>& bytes, size_t from, size_t count)
{
    auto piece = report(regionTwo, 0x03);
    std::copy(bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(from + count), piece.begin() + 2);
    return piece;
}

Report lengthOf(int rest)
{
    auto bytes = report(regionTwo, 0x07);
    bytes[2] = static_cast<std::uint8_t>(rest);
    return bytes;
}

Report checkSum(std::uint32_t sum)
{
    auto bytes = report(regionTwo, 0x04);
    putLittleEndian(bytes, 2, sum);
    return bytes;
}

// 100 bytes: one data report of 62, the length of the final 38, and those 38.
const std::vector<std::uint8_t> chunkBytes = [] {
    std::vector<std::uint8_t> bytes(100);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(200 + i);
    return bytes;
}();

std::uint32_t sumOf(const std::vector<std::uint8_t>& bytes)
{
    std::uint32_t sum = 0;
    for (auto b : bytes)
        sum += b;
    return sum;
}

std::vector<Report> wellOrderedChunk()
{
    return { window(100), data(chunkBytes, 0, 62), lengthOf(38), data(chunkBytes, 62, 38), checkSum(sumOf(chunkBytes)),
             report(regionTwo, 0x05) };
}

class UnitUnderTest
{
public:
    explicit UnitUnderTest(UnitConfig config = {}) : unit(std::move(config)) {}

    void send(const std::vector<Report>& reports)
    {
        for (const auto& bytes : reports)
            unit.reportWritten(bytes, link);
    }

    std::uint8_t lastCode() const { return link.answers.empty() ? 0 : link.answers.back()[1]; }

    SimulatedUnit unit;
    RecordingLink link;
};
} // namespace

TEST(SimulatedUnit, aWellOrderedChunkIsWrittenAtTheWindowsAddressOnceTheBusyPollsAreOver)
{
    UnitConfig config;
    config.busyPolls = 2;
    config.latencyMs = 3;
    UnitUnderTest t(config);

    t.send({ prepare() });
    t.send(wellOrderedChunk());
    EXPECT_TRUE(t.lastCode() == 0x83 || t.lastCode() == 0x84);
    t.send({ report(regionTwo, 0x05) });
    EXPECT_TRUE(t.lastCode() == 0x83 || t.lastCode() == 0x84);
    EXPECT_EQ(t.unit.memory()[regionTwoAddress], 0xFF) << "nothing is written while busy";

    t.send({ report(regionTwo, 0x05) });
    EXPECT_EQ(t.lastCode(), 0x85);

    const auto memory = t.unit.memory();
    EXPECT_TRUE(std::equal(chunkBytes.begin(), chunkBytes.end(), memory.begin() + regionTwoAddress));
    EXPECT_EQ(memory[regionTwoAddress + 100], 0xFF);

    for (const auto& answer : t.link.answers)
        EXPECT_EQ(answer[0], regionTwo);
    EXPECT_EQ(t.link.delays.back(), 3);
    EXPECT_EQ(t.unit.prepared(), (std::array<std::uint32_t, 2> { regionTwoAddress, 0x10000 }));

    const auto answered = t.link.answers.size();
    t.send({ report(0xF0, 0x06) });
    EXPECT_EQ(t.link.answers.size(), answered) << "the finish report is not answered";
    EXPECT_TRUE(t.unit.finished());
    EXPECT_EQ(t.unit.violations(), std::vector<std::string> {});
}

TEST(SimulatedUnit, theProbeAndTheVersionQueryAnswerAsConfigured)
{
    UnitConfig config;
    config.variantB = true;
    config.processorKind1Probes = 2;
    config.date = { 0x20, 0x24, 0x06, 0x15 };
    config.version = { '2', '.', '3', '4' };
    UnitUnderTest t(config);
    auto probe = report(0xF0, 0x00);
    probe[2] = 0x7F;

    t.send({ probe, probe, probe, report(0xF0, 0x01) });

    ASSERT_EQ(t.link.answers.size(), 4u);
    EXPECT_EQ(t.link.answers[0][1], 0x8A);
    EXPECT_EQ(t.link.answers[1][1], 0x8A);
    EXPECT_EQ(t.link.answers[2][1], 0x8C);
    const Report expected = { 0xF0, 0x82, 0x20, 0x24, 0x06, 0x15, 0, '2', '.', '3', '4' };
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), t.link.answers[3].begin()));
    EXPECT_EQ(t.unit.violations(), std::vector<std::string> {});
}

TEST(SimulatedUnit, aCheckSumThatDiffersFromTheDataReceivedIsRefusedWithReasonTwo)
{
    UnitUnderTest t;
    t.send({ prepare(), window(100), data(chunkBytes, 0, 62), lengthOf(38), data(chunkBytes, 62, 38),
             checkSum(sumOf(chunkBytes) + 1) });

    EXPECT_EQ(t.lastCode(), 0x81);
    EXPECT_EQ(t.link.answers.back()[2], 2);
    EXPECT_EQ(t.unit.violations().size(), 1u);
}

TEST(SimulatedUnit, everyReportOutOfOrderIsNoted)
{
    const auto body = [] { return std::vector<Report> { data(chunkBytes, 0, 62), lengthOf(38), data(chunkBytes, 62, 38) }; };
    const auto with = [](std::vector<Report> first, const std::vector<Report>& then) {
        first.insert(first.end(), then.begin(), then.end());
        return first;
    };
    auto shortReport = prepare();
    shortReport.resize(63);
    auto badMarker = prepare();
    badMarker[6] = 0;
    auto strayByte = lengthOf(38);
    strayByte[10] = 1;

    const std::pair<const char*, std::vector<Report>> cases[] = {
        { "a window before the prepare command", { window(100) } },
        { "a second prepare command", { prepare(), prepare() } },
        { "a report that is not 64 bytes", { shortReport } },
        { "a prepare command without its marker", { badMarker } },
        { "a window outside its region", { prepare(), addressed(0x02, regionTwoAddress + 0xFFF0, 0x20) } },
        { "a window larger than a chunk", { prepare(), window(0x20001) } },
        { "data before any window", { prepare(), data(chunkBytes, 0, 62) } },
        { "a final piece without its length report", { prepare(), window(100), data(chunkBytes, 0, 62), data(chunkBytes, 62, 38) } },
        { "a length that is not what remains", { prepare(), window(100), data(chunkBytes, 0, 62), lengthOf(37) } },
        { "a length report with bytes after it", { prepare(), window(100), data(chunkBytes, 0, 62), strayByte } },
        { "bytes after the final piece", { prepare(), window(100), data(chunkBytes, 0, 62), lengthOf(38), data(chunkBytes, 40, 60) } },
        { "data beyond the window", with({ prepare(), window(100) }, with(body(), { data(chunkBytes, 0, 62) })) },
        { "a check sum before the final piece", { prepare(), window(100), data(chunkBytes, 0, 62), checkSum(0) } },
        { "a poll before the check sum", with({ prepare(), window(100) }, with(body(), { report(regionTwo, 0x05) })) },
        { "a window while a chunk is unwritten", with({ prepare(), window(100) }, with(body(), { window(100) })) },
        { "data for another region", { prepare(), window(100), report(0xF2, 0x03) } },
        { "an unknown command", { report(0xF0, 0x09) } },
        { "the finish report with a chunk unwritten", with({ prepare(), window(100) }, { report(0xF0, 0x06) }) },
        { "a report after the finish report", { report(0xF0, 0x06), report(0xF0, 0x01) } },
    };

    for (const auto& [what, reports] : cases)
    {
        UnitUnderTest t;
        t.send(reports);
        EXPECT_FALSE(t.unit.violations().empty()) << what;
    }
}

TEST(SimulatedUnit, aFaultChangesOnlyTheAnswerToItsOccurrence)
{
    const auto answersTo = [](Action action, int value, int occurrence) {
        UnitConfig config;
        config.faults.push_back({ UnitCommand::data, occurrence, action, value });
        UnitUnderTest t(config);
        t.send({ prepare(), window(200), data(chunkBytes, 0, 62), data(chunkBytes, 0, 62), data(chunkBytes, 0, 62) });
        EXPECT_EQ(t.unit.violations(), std::vector<std::string> {});
        return t.link;
    };

    const auto refused = answersTo(Action::refuse, 3, 2).answers;
    ASSERT_EQ(refused.size(), 5u);
    EXPECT_EQ(refused[3][1], 0x81);
    EXPECT_EQ(refused[3][2], 3);
    EXPECT_EQ(refused[2][1], 0x80);
    EXPECT_EQ(refused[4][1], 0x80);

    EXPECT_EQ(answersTo(Action::silent, 0, 2).answers.size(), 4u);

    const auto echo = answersTo(Action::wrongEcho, 0, 2).answers;
    EXPECT_NE(echo[3][0], regionTwo);
    EXPECT_EQ(echo[3][1], 0x80);
    EXPECT_EQ(echo[4][0], regionTwo);

    const auto code = answersTo(Action::wrongCode, 0x99, 0).answers;
    EXPECT_EQ(code[2][1], 0x99);
    EXPECT_EQ(code[4][1], 0x99);
    EXPECT_EQ(code[1][1], 0x80) << "the window is not data";

    const auto lateDelays = answersTo(Action::delay, 250, 3).delays;
    EXPECT_EQ(lateDelays[4], 250);
    EXPECT_EQ(lateDelays[3], 0);
}

TEST(SimulatedUnit, itUnplugsOnItsNthReportWithoutAnsweringIt)
{
    UnitConfig config;
    config.unplugAfterReports = 3;
    UnitUnderTest t(config);
    t.send({ prepare(), window(100), data(chunkBytes, 0, 62) });

    EXPECT_EQ(t.link.unplugs, 1);
    EXPECT_EQ(t.link.answers.size(), 2u);
}
