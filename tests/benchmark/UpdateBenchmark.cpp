// Times a whole update against the simulated unit answering at once, and the
// host's cost of one report round trip: write, answer, the hop to the message
// thread, the worker's wake. The round trip is split in two: the unit's answer
// (from the report written to the answer on the message thread, the unit's
// latency included) and the program's turn (from there to the next report
// written), so that a slow update shows whose time it lost. A timing program,
// not a test.

#include "support/MessageLoop.h"

#include "app/MainComponent.h"
#include "platform/vxqmrt6hid-standin/SimulatedUnit.h"
#include "tools/ImageMaker.h"
#include "update/ImageFolder.h"
#include "update/UpdateStatus.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <mutex>

namespace
{
using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

// Notes when each report reaches the unit; the gap between two of a chunk's
// data reports is one whole round trip.
class TimedUnit : public hidstandin::SimulatedUnit
{
public:
    using SimulatedUnit::SimulatedUnit;

    void reportWritten(const hidstandin::Report& report, hidstandin::DeviceLink& link) override
    {
        {
            const std::lock_guard<std::mutex> guard(mutex);
            writeTimes.push_back(Clock::now());

            if (report[1] == 0x03)
                dataTimes.push_back(writeTimes.back());
        }

        SimulatedUnit::reportWritten(report, link);
    }

    std::vector<double> gapsMicroseconds()
    {
        const std::lock_guard<std::mutex> guard(mutex);
        std::vector<double> gaps;

        for (size_t i = 1; i < dataTimes.size(); ++i)
            gaps.push_back(microseconds(dataTimes[i] - dataTimes[i - 1]));

        return gaps;
    }

    std::vector<Clock::time_point> writes()
    {
        const std::lock_guard<std::mutex> guard(mutex);
        return writeTimes;
    }

private:
    std::mutex mutex;
    std::vector<Clock::time_point> writeTimes, dataTimes;
};

// Notes when each answer reaches the program on the message thread.
class TimedComponent : public MainComponent
{
public:
    void inputReceived(int unused) override
    {
        answerTimes.push_back(Clock::now());
        MainComponent::inputReceived(unused);
    }

    std::vector<Clock::time_point> answerTimes; // message thread only
};

struct Spread
{
    double median, mean, percentile99;
};

Spread spreadOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    double sum = 0;

    for (double value : values)
        sum += value;

    return { values[values.size() / 2], sum / static_cast<double>(values.size()), values[values.size() * 99 / 100] };
}

std::ostream& operator<<(std::ostream& out, const Spread& spread)
{
    return out << "median " << spread.median << " us, mean " << spread.mean << " us, 99th percentile "
               << spread.percentile99 << " us";
}
} // namespace

int main(int argc, char* argv[])
{
    // The unit's answer latency in ms, 0 by default.
    const int latencyMs = argc > 1 ? std::atoi(argv[1]) : 0;

    juce::ScopedJuceInitialiser_GUI juce;

    const auto folder = juce::File::getSpecialLocation(juce::File::tempDirectory).getNonexistentChildFile("vxq-bench", "");
    folder.createDirectory();
    const auto image = makeFirmwareImage({});
    folder.getChildFile("vxqmrt6_A__v110.bin").replaceWithData(image.getData(), image.getSize());
    setImageFolderForTests(folder);

    hidstandin::reset();
    hidstandin::UnitConfig config;
    config.latencyMs = latencyMs;
    auto unit = std::make_shared<TimedUnit>(config);
    hidstandin::addDevice(hidstandin::SimulatedUnit::deviceType, unit);

    auto component = std::make_unique<TimedComponent>();
    const auto start = Clock::now();
    component->responseEvent.reset();
    component->startThread();

    testsupport::pumpUntil([&] {
        int ready = UpdateStatus::ready;
        component->status.compare_exchange_strong(ready, UpdateStatus::startPressed);
        return ! component->isThreadRunning();
    }, 600000);

    const double totalSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const int status = component->status;
    const auto writes = unit->writes();
    const auto answers = component->answerTimes;
    component.reset();
    folder.deleteRecursively();

    auto gaps = unit->gapsMicroseconds();
    // Gaps across a chunk's end hold the check sum, the poll wait and the window.
    const auto withinChunk = [latencyMs](double gap) { return gap <= 50000.0 + 1000.0 * latencyMs; };
    gaps.erase(std::remove_if(gaps.begin(), gaps.end(), [&](double gap) { return ! withinChunk(gap); }), gaps.end());

    // Every report but the last, the finish report, has its one answer.
    if (status != UpdateStatus::complete || gaps.empty() || writes.size() != answers.size() + 1)
    {
        std::cerr << "the update did not complete (status " << status << ")\n";
        return 1;
    }

    std::vector<double> unitAnswers, programTurns;

    for (size_t i = 0; i < answers.size(); ++i)
    {
        unitAnswers.push_back(microseconds(answers[i] - writes[i]));
        const double turn = microseconds(writes[i + 1] - answers[i]);

        if (withinChunk(turn))
            programTurns.push_back(turn);
    }

    std::cout << "whole update, unit answering in " << latencyMs << " ms: " << totalSeconds << " s for "
              << writes.size() << " reports\n"
              << "round trip per report: " << spreadOf(gaps) << "\n"
              << "  the unit's answer, from the report written to the message thread: " << spreadOf(unitAnswers) << "\n"
              << "  the program's turn, from there to the next report written: " << spreadOf(programTurns) << "\n";
    return 0;
}
