#pragma once

// A simulated VXQ-MRT6 unit: it answers the update protocol as the real unit
// does, writes what it receives into a 2 MiB memory, and, as a strict peer,
// notes every report that breaks the protocol. It keeps its own knowledge of
// the protocol, so that it checks the program instead of agreeing with it.

#include "StandinControl.h"

#include <array>
#include <map>
#include <mutex>
#include <string>

namespace hidstandin
{
enum class UnitCommand { probe, versionQuery, prepare, window, data, length, checkSum, poll, finish };

// Changes the answer to one kind of report; the unit still takes the report.
struct UnitFault
{
    enum class Action { refuse, silent, wrongEcho, wrongCode, delay };

    UnitCommand command = UnitCommand::probe;
    int occurrence = 1; // the nth report of that kind, counted from 1; 0: every one
    Action action = Action::refuse;
    int value = 0;      // the refusal reason, the answer code, or the delay in ms
};

struct UnitConfig
{
    bool variantB = false;
    int processorKind1Probes = 0;                              // answered 0x8A first; -1: always
    std::array<std::uint8_t, 4> date { 0x20, 0x20, 0x01, 0x01 }; // year high, year low, month, day
    std::array<std::uint8_t, 4> version { '1', '.', '0', '0' };
    int busyPolls = 0;                                         // busy answers before each chunk is written
    int latencyMs = 0;
    int unplugAfterReports = -1;                               // unplugs on receiving that many reports
    std::vector<UnitFault> faults;
};

class HIDSTANDIN_API SimulatedUnit : public DeviceResponder
{
public:
    static constexpr int deviceType = 0x45;
    static constexpr std::size_t memorySize = 0x200000;

    explicit SimulatedUnit(UnitConfig config);

    void reportWritten(const Report& report, DeviceLink& link) override;

    std::vector<std::uint8_t> memory() const;
    std::vector<std::string> violations() const;
    bool finished() const;
    int reportsOf(UnitCommand command) const;
    // The prepare command's address and length, once it came.
    std::array<std::uint32_t, 2> prepared() const;

private:
    struct Answer
    {
        bool send = false;
        Report bytes;
    };

    Answer respond(UnitCommand command, const Report& report);
    Answer probe();
    Answer versionAnswer();
    Answer prepare(const Report& report);
    Answer window(const Report& report);
    Answer data(const Report& report);
    Answer length(const Report& report);
    Answer checkSum(const Report& report);
    Answer poll(const Report& report);
    Answer finish();

    bool checkTarget(const Report& report, const char* what);
    void violation(const std::string& text);
    Answer reply(std::uint8_t echo, std::uint8_t code, std::uint8_t reason = 0) const;

    mutable std::mutex mutex;
    UnitConfig config;
    std::vector<std::uint8_t> flash;
    std::vector<std::string> problems;
    std::map<UnitCommand, int> counts;
    int reportCount = 0;
    int probesAnswered = 0;
    bool isPrepared = false;
    std::array<std::uint32_t, 2> preparedWindow { 0, 0 };
    bool isFinished = false;

    // The chunk being received.
    bool windowOpen = false;
    std::uint8_t windowTarget = 0;
    std::uint32_t windowAddress = 0, windowLength = 0;
    std::vector<std::uint8_t> chunk;
    int announcedLength = 0;
    bool sumAccepted = false;
    int busyLeft = 0;
};

} // namespace hidstandin
