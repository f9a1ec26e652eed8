#include "DeviceSet.h"

namespace hidstandin
{
void reset() { DeviceSet::instance().reset(); }

int addDevice(int type, std::shared_ptr<DeviceResponder> responder, bool pluggedIn, std::uint32_t firmwareVersion)
{
    return DeviceSet::instance().addDevice(type, std::move(responder), pluggedIn, firmwareVersion);
}

void plug(int deviceNumber) { DeviceSet::instance().plug(deviceNumber, 0); }
void unplug(int deviceNumber) { DeviceSet::instance().unplug(deviceNumber); }
void plugAfter(int deviceNumber, int delayMs) { DeviceSet::instance().plug(deviceNumber, delayMs); }

void queueInput(int deviceNumber, Report report, int delayMs)
{
    DeviceSet::instance().queueInput(deviceNumber, std::move(report), delayMs);
}

std::vector<Report> writtenReports(int deviceNumber) { return DeviceSet::instance().writtenReports(deviceNumber); }
void setWriteFails(int deviceNumber, bool fails) { DeviceSet::instance().setWriteFails(deviceNumber, fails); }
void reportDeviceCount(int count) { DeviceSet::instance().reportDeviceCount(count); }

std::vector<LibraryCall> calls() { return DeviceSet::instance().calls(); }

std::vector<std::string> callNames()
{
    std::vector<std::string> names;

    for (auto& call : calls())
        names.push_back(call.name);

    return names;
}

void clearCalls() { DeviceSet::instance().clearCalls(); }
bool nothingPending() { return DeviceSet::instance().nothingPending(); }

} // namespace hidstandin
