#include "SimulatedUnit.h"

#include <algorithm>

namespace hidstandin
{
namespace
{
constexpr std::uint8_t unitWide = 0xF0;
constexpr std::uint8_t accepted = 0x80, refused = 0x81, versionCode = 0x82, busyA = 0x83, busyB = 0x84,
                       written = 0x85, processorKind1 = 0x8A, variantACode = 0x8B, variantBCode = 0x8C;
constexpr int pieceSize = 62;
constexpr std::uint32_t largestChunk = 0x20000;
constexpr std::uint8_t misunderstood = 5; // the refusal reason for a report the unit cannot take

struct Region
{
    std::uint8_t target;
    std::uint32_t start, size;
};

constexpr Region regions[] = { { 0xF1, 0, 0x90000 }, { 0xF2, 0x90000, 0x130000 }, { 0xF7, 0x1C0000, 0x10000 } };

const Region* regionFor(std::uint8_t target)
{
    for (auto& region : regions)
        if (region.target == target)
            return &region;

    return nullptr;
}

std::uint32_t readLittleEndian(const Report& report, int offset)
{
    return static_cast<std::uint32_t>(report[offset]) | static_cast<std::uint32_t>(report[offset + 1]) << 8
           | static_cast<std::uint32_t>(report[offset + 2]) << 16 | static_cast<std::uint32_t>(report[offset + 3]) << 24;
}

bool zeroFrom(const Report& report, std::size_t first)
{
    return std::all_of(report.begin() + static_cast<long>(first), report.end(), [](std::uint8_t b) { return b == 0; });
}

bool classify(const Report& report, UnitCommand& command)
{
    const std::uint8_t family = report[0], code = report[1];

    if (family == unitWide)
    {
        switch (code)
        {
            case 0x00: command = UnitCommand::probe; return true;
            case 0x01: command = UnitCommand::versionQuery; return true;
            case 0x06: command = UnitCommand::finish; return true;
            default: return false;
        }
    }

    switch (code)
    {
        case 0x02: command = UnitCommand::window; return true;
        case 0x03: command = UnitCommand::data; return true;
        case 0x04: command = UnitCommand::checkSum; return true;
        case 0x05: command = UnitCommand::poll; return true;
        case 0x07: command = UnitCommand::length; return true;
        case 0x08: command = UnitCommand::prepare; return true;
        default: return false;
    }
}
} // namespace

SimulatedUnit::SimulatedUnit(UnitConfig newConfig)
    : config(std::move(newConfig)), flash(memorySize, 0xFF)
{
}

void SimulatedUnit::reportWritten(const Report& written, DeviceLink& link)
{
    std::unique_lock<std::mutex> lock(mutex);
    ++reportCount;

    if (config.unplugAfterReports >= 0 && reportCount >= config.unplugAfterReports)
    {
        lock.unlock();
        link.unplug();
        return;
    }

    if (written.size() != 64)
        violation("a report of " + std::to_string(written.size()) + " bytes");
    if (isFinished)
        violation("a report after the finish report");

    Report report(written);
    report.resize(64, 0);

    UnitCommand command;

    if (! classify(report, command))
    {
        violation("an unknown command " + std::to_string(report[0]) + "/" + std::to_string(report[1]));
        const auto answer = reply(report[0], refused, misunderstood);
        lock.unlock();
        link.answer(answer.bytes, config.latencyMs);
        return;
    }

    const int occurrence = ++counts[command];
    auto answer = respond(command, report);
    int delayMs = config.latencyMs;

    for (auto& fault : config.faults)
    {
        if (fault.command != command || (fault.occurrence != 0 && fault.occurrence != occurrence))
            continue;

        switch (fault.action)
        {
            case UnitFault::Action::refuse: answer = reply(report[0], refused, static_cast<std::uint8_t>(fault.value)); break;
            case UnitFault::Action::silent: answer.send = false; break;
            case UnitFault::Action::wrongEcho: answer.bytes[0] = static_cast<std::uint8_t>(report[0] ^ 0x0F); break;
            case UnitFault::Action::wrongCode: answer.bytes[1] = static_cast<std::uint8_t>(fault.value); break;
            case UnitFault::Action::delay: delayMs += fault.value; break;
        }
    }

    lock.unlock();

    if (answer.send)
        link.answer(answer.bytes, delayMs);
}

SimulatedUnit::Answer SimulatedUnit::respond(UnitCommand command, const Report& report)
{
    switch (command)
    {
        case UnitCommand::probe:
            if (report[2] != 0x7F || ! zeroFrom(report, 3))
                violation("a malformed probe");
            if (isPrepared)
                violation("a probe after the transfer began");
            return probe();

        case UnitCommand::versionQuery:
            if (! zeroFrom(report, 2))
                violation("a malformed version query");
            return versionAnswer();

        case UnitCommand::prepare: return prepare(report);
        case UnitCommand::window: return window(report);
        case UnitCommand::data: return data(report);
        case UnitCommand::length: return length(report);
        case UnitCommand::checkSum: return checkSum(report);
        case UnitCommand::poll: return poll(report);
        case UnitCommand::finish: return finish();
    }

    return {};
}

SimulatedUnit::Answer SimulatedUnit::probe()
{
    const int kind1 = config.processorKind1Probes;

    if (kind1 < 0 || probesAnswered++ < kind1)
        return reply(unitWide, processorKind1);

    return reply(unitWide, config.variantB ? variantBCode : variantACode);
}

SimulatedUnit::Answer SimulatedUnit::versionAnswer()
{
    auto answer = reply(unitWide, versionCode);
    std::copy(config.date.begin(), config.date.end(), answer.bytes.begin() + 2);
    std::copy(config.version.begin(), config.version.end(), answer.bytes.begin() + 7);
    return answer;
}

SimulatedUnit::Answer SimulatedUnit::prepare(const Report& report)
{
    if (! checkTarget(report, "prepare"))
        return reply(report[0], refused, misunderstood);

    if (isPrepared)
        violation("a second prepare command");
    if (report[6] != 0xFF || ! zeroFrom(report, 11))
        violation("a malformed prepare command");

    isPrepared = true;
    preparedWindow = { readLittleEndian(report, 2), readLittleEndian(report, 7) };
    return reply(report[0], accepted);
}

SimulatedUnit::Answer SimulatedUnit::window(const Report& report)
{
    if (! checkTarget(report, "window"))
        return reply(report[0], refused, misunderstood);

    const auto address = readLittleEndian(report, 2), size = readLittleEndian(report, 7);
    const auto* region = regionFor(report[0]);

    if (! isPrepared)
        violation("a window before the prepare command");
    if (windowOpen)
        violation("a window while the previous chunk is not written");
    if (report[6] != 0xFF || ! zeroFrom(report, 11))
        violation("a malformed window command");
    if (size == 0 || size > largestChunk || address < region->start
        || static_cast<std::uint64_t>(address) + size > static_cast<std::uint64_t>(region->start) + region->size)
    {
        violation("a window outside its region");
        return reply(report[0], refused, misunderstood);
    }

    windowOpen = true;
    windowTarget = report[0];
    windowAddress = address;
    windowLength = size;
    chunk.clear();
    announcedLength = 0;
    sumAccepted = false;
    busyLeft = config.busyPolls;
    return reply(report[0], accepted);
}

SimulatedUnit::Answer SimulatedUnit::data(const Report& report)
{
    if (! windowOpen || report[0] != windowTarget || sumAccepted)
    {
        violation("data outside an open window");
        return reply(report[0], refused, misunderstood);
    }

    const auto remaining = static_cast<int>(windowLength - chunk.size());

    if (announcedLength > 0)
    {
        if (! zeroFrom(report, 2 + static_cast<std::size_t>(announcedLength)))
            violation("bytes after the final piece");

        chunk.insert(chunk.end(), report.begin() + 2, report.begin() + 2 + announcedLength);
        announcedLength = -1; // the final piece is in
        return reply(report[0], accepted);
    }

    if (announcedLength < 0 || remaining <= pieceSize)
    {
        violation("a final piece without its length report");
        return reply(report[0], refused, misunderstood);
    }

    chunk.insert(chunk.end(), report.begin() + 2, report.end());
    return reply(report[0], accepted);
}

SimulatedUnit::Answer SimulatedUnit::length(const Report& report)
{
    const auto remaining = windowOpen ? static_cast<int>(windowLength - chunk.size()) : -1;

    if (! windowOpen || report[0] != windowTarget || announcedLength != 0 || report[2] != remaining
        || report[2] < 1 || report[2] > pieceSize || ! zeroFrom(report, 3))
    {
        violation("a length report that does not announce the final piece");
        return reply(report[0], refused, misunderstood);
    }

    announcedLength = report[2];
    return reply(report[0], accepted);
}

SimulatedUnit::Answer SimulatedUnit::checkSum(const Report& report)
{
    if (! windowOpen || report[0] != windowTarget || announcedLength != -1 || ! zeroFrom(report, 6))
    {
        violation("a check sum before the chunk's data");
        return reply(report[0], refused, misunderstood);
    }

    std::uint32_t sum = 0;
    for (auto byte : chunk)
        sum += byte;

    if (sum != readLittleEndian(report, 2))
    {
        violation("a check sum that differs from the data received");
        return reply(report[0], refused, 2);
    }

    sumAccepted = true;
    return reply(report[0], accepted);
}

SimulatedUnit::Answer SimulatedUnit::poll(const Report& report)
{
    if (! windowOpen || report[0] != windowTarget || ! sumAccepted || ! zeroFrom(report, 2))
    {
        violation("a poll before the check sum");
        return reply(report[0], refused, misunderstood);
    }

    if (busyLeft > 0)
    {
        --busyLeft;
        return reply(report[0], busyLeft % 2 == 0 ? busyA : busyB);
    }

    std::copy(chunk.begin(), chunk.end(), flash.begin() + windowAddress);
    windowOpen = false;
    return reply(report[0], written);
}

SimulatedUnit::Answer SimulatedUnit::finish()
{
    if (windowOpen)
        violation("the finish report with a chunk not written");

    isFinished = true;
    return {}; // the finish report is never answered
}

bool SimulatedUnit::checkTarget(const Report& report, const char* what)
{
    if (regionFor(report[0]) != nullptr)
        return true;

    violation(std::string("a ") + what + " command for an unknown target");
    return false;
}

void SimulatedUnit::violation(const std::string& text)
{
    problems.push_back(text + " (report " + std::to_string(reportCount) + ")");
}

SimulatedUnit::Answer SimulatedUnit::reply(std::uint8_t echo, std::uint8_t code, std::uint8_t reason) const
{
    Answer answer { true, Report(64, 0) };
    answer.bytes[0] = echo;
    answer.bytes[1] = code;
    answer.bytes[2] = reason;
    return answer;
}

std::vector<std::uint8_t> SimulatedUnit::memory() const
{
    std::lock_guard<std::mutex> guard(mutex);
    return flash;
}

std::vector<std::string> SimulatedUnit::violations() const
{
    std::lock_guard<std::mutex> guard(mutex);
    return problems;
}

bool SimulatedUnit::finished() const
{
    std::lock_guard<std::mutex> guard(mutex);
    return isFinished;
}

int SimulatedUnit::reportsOf(UnitCommand command) const
{
    std::lock_guard<std::mutex> guard(mutex);
    auto found = counts.find(command);
    return found != counts.end() ? found->second : 0;
}

std::array<std::uint32_t, 2> SimulatedUnit::prepared() const
{
    std::lock_guard<std::mutex> guard(mutex);
    return preparedWindow;
}

} // namespace hidstandin
