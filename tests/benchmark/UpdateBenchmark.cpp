// Times a whole update against the simulated unit answering at once, and the
// host's cost of one report round trip: write, answer, the hop to the message
// thread, the worker's wake. A timing program, not a test.

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

// Notes when each data report reaches the unit; the gap between two of a
// chunk's data reports is one whole round trip.
class TimedUnit : public hidstandin::SimulatedUnit
{
public:
    using SimulatedUnit::SimulatedUnit;

    void reportWritten(const hidstandin::Report& report, hidstandin::DeviceLink& link) override
    {
        if (report[1] == 0x03)
        {
            const std::lock_guard<std::mutex> guard(mutex);
            dataTimes.push_back(Clock::now());
        }

        SimulatedUnit::reportWritten(report, link);
    }

    std::vector<double> gapsMicroseconds()
    {
        const std::lock_guard<std::mutex> guard(mutex);
        std::vector<double> gaps;

        for (size_t i = 1; i < dataTimes.size(); ++i)
            gaps.push_back(std::chrono::duration<double, std::micro>(dataTimes[i] - dataTimes[i - 1]).count());

        return gaps;
    }

private:
    std::mutex mutex;
    std::vector<Clock::time_point> dataTimes;
};
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
    const int number = hidstandin::addDevice(hidstandin::SimulatedUnit::deviceType, unit);

    auto component = std::make_unique<MainComponent>();
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
    const auto reports = hidstandin::writtenReports(number).size();
    component.reset();
    folder.deleteRecursively();

    auto gaps = unit->gapsMicroseconds();
    // Gaps across a chunk's end hold the check sum, the poll wait and the window.
    gaps.erase(std::remove_if(gaps.begin(), gaps.end(), [latencyMs](double gap) { return gap > 50000.0 + 1000.0 * latencyMs; }), gaps.end());
    std::sort(gaps.begin(), gaps.end());

    if (status != UpdateStatus::complete || gaps.empty())
    {
        std::cerr << "the update did not complete (status " << status << ")\n";
        return 1;
    }

    double sum = 0;
    for (double gap : gaps)
        sum += gap;

    std::cout << "whole update, unit answering in " << latencyMs << " ms: " << totalSeconds << " s for " << reports << " reports\n"
              << "round trip per report: median " << gaps[gaps.size() / 2] << " us, mean " << sum / gaps.size()
              << " us, 99th percentile " << gaps[gaps.size() * 99 / 100] << " us\n";
    return 0;
}
