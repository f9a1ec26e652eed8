#pragma once

#include "device/HidHandler.h"

#include "platform/vxqmrt6hid-standin/StandinControl.h"

#include <string>
#include <vector>

namespace testsupport
{
// A device-link owner that notes each callback and the library calls made
// before it.
struct RecordingHandler : HidHandler
{
    void deviceRemoved() override { note("removed"); }
    void deviceArrived() override { note("arrived"); }
    void inputReceived(int parameter) override { note("input " + std::to_string(parameter)); }

    void note(const std::string& event)
    {
        events.push_back(event);
        callsBefore.push_back(hidstandin::callNames());
    }

    std::vector<std::string> events;
    std::vector<std::vector<std::string>> callsBefore;
};
} // namespace testsupport
