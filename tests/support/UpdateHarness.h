#pragma once

#include "support/ImageFolderFixture.h"
#include "support/MessageLoop.h"

#include "platform/vxqmrt6hid-standin/SimulatedUnit.h"
#include "update/FirmwareImage.h"
#include "update/UpdateStatus.h"

#include <memory>

namespace testsupport
{
// A MainComponent with the real device link and worker, a simulated unit on
// the stand-in library, and an image beside the "program". A protocol
// violation seen by any unit of the test, or a progress that fell, fails it.
class UpdateHarness : public ImageFolderFixture
{
protected:
    void SetUp() override
    {
        ImageFolderFixture::SetUp();
        hidstandin::reset();
    }

    void TearDown() override
    {
        component.reset();

        for (const auto& each : units)
            EXPECT_EQ(each->violations(), std::vector<std::string> {});

        EXPECT_FALSE(progressFell);

        ImageFolderFixture::TearDown();
    }

    void addUnit(const hidstandin::UnitConfig& config, bool pluggedIn = true)
    {
        unit = std::make_shared<hidstandin::SimulatedUnit>(config);
        units.push_back(unit);
        unitNumber = hidstandin::addDevice(hidstandin::SimulatedUnit::deviceType, unit, pluggedIn);
    }

    // What OK on the language screen does with a unit connected.
    void startWorker()
    {
        if (component == nullptr)
            component = std::make_unique<MainComponent>();

        component->responseEvent.reset();
        component->startThread();
    }

    // What Start on the ready screen does.
    bool pressStart()
    {
        int ready = UpdateStatus::ready;
        return component->status.compare_exchange_strong(ready, UpdateStatus::startPressed);
    }

    // Runs the message loop until the worker has ended; Start is pressed on
    // the ready screen when asked. Notes whether the progress ever fell.
    int runToEnd(bool start = true, int timeoutMs = 60000)
    {
        double lastProgress = 0.0;
        const bool ended = pumpUntil([&] {
            const double now = progress();
            progressFell = progressFell || now < lastProgress;
            lastProgress = now;

            if (start && component->status == UpdateStatus::ready)
                pressStart();

            return ! component->isThreadRunning();
        }, timeoutMs);

        EXPECT_TRUE(ended) << "the worker did not end; status " << component->status;
        pumpFor(10);
        return component->status;
    }

    // The worker stores the progress atomically; read it the same way.
    double progress() const
    {
        double value;
        __atomic_load(&component->progress, &value, __ATOMIC_ACQUIRE);
        return value;
    }

    // The bytes of the plain image, as the unit must hold them.
    static juce::MemoryBlock plainImage(ImageRequest request)
    {
        request.scrambled = false;
        return makeFirmwareImage(request);
    }

    bool unitHolds(const juce::MemoryBlock& image, juce::int64 from, juce::int64 to) const
    {
        const auto memory = unit->memory();
        return std::memcmp(memory.data() + from, static_cast<const char*>(image.getData()) + from,
                           static_cast<size_t>(to - from)) == 0;
    }

    bool unitUntouched(juce::int64 from, juce::int64 to) const
    {
        const auto memory = unit->memory();
        return std::all_of(memory.begin() + from, memory.begin() + to, [](auto b) { return b == 0xFF; });
    }

    std::shared_ptr<hidstandin::SimulatedUnit> unit;
    std::vector<std::shared_ptr<hidstandin::SimulatedUnit>> units;
    int unitNumber = -1;
    std::unique_ptr<MainComponent> component;
    bool progressFell = false;
};
} // namespace testsupport
