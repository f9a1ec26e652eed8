#pragma once

// The C++ side of the stand-in HID library: a set of simulated HID devices
// that tests add, plug, unplug, feed with input reports and inspect. The
// system itself reaches the library only through vxqmrt6hid.h.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#if defined(_WIN32)
 #if defined(VXQMRT6HID_BUILDING_LIBRARY)
  #define HIDSTANDIN_API __declspec(dllexport)
 #else
  #define HIDSTANDIN_API __declspec(dllimport)
 #endif
#else
 #define HIDSTANDIN_API __attribute__((visibility("default")))
#endif

namespace hidstandin
{
using Report = std::vector<std::uint8_t>;

// What a device's responder may do in answer to a report written to it.
class HIDSTANDIN_API DeviceLink
{
public:
    virtual ~DeviceLink() = default;
    virtual int deviceNumber() const = 0;
    // Queues an input report that arrives after the delay, with its input message.
    virtual void answer(Report report, int delayMs) = 0;
    // Unplugs the device at once: writes fail from now on, the removal message follows.
    virtual void unplug() = 0;
};

// The per-device seam: called for every report that HID_Write accepts for
// the device, on the writer's thread.
class HIDSTANDIN_API DeviceResponder
{
public:
    virtual ~DeviceResponder() = default;
    virtual void reportWritten(const Report& report, DeviceLink& link) = 0;
};

struct LibraryCall
{
    std::string name;                      // "HID_Write"
    std::vector<long long> arguments;      // pointers as their address, null as 0
};

// Removes every device, forgets the call log and the callback registration,
// and keeps the library from configuring itself from the environment.
HIDSTANDIN_API void reset();

// Adds a device and returns its device number (numbers are never reused).
HIDSTANDIN_API int addDevice(int type, std::shared_ptr<DeviceResponder> responder = nullptr,
                             bool pluggedIn = true, std::uint32_t firmwareVersion = 0x0100);
// Plugging posts the arrival message, unplugging the removal message with the
// device number, each only while the library is started.
HIDSTANDIN_API void plug(int deviceNumber);
HIDSTANDIN_API void unplug(int deviceNumber);
HIDSTANDIN_API void plugAfter(int deviceNumber, int delayMs);
// Queues an input report of any length; its input message follows.
HIDSTANDIN_API void queueInput(int deviceNumber, Report report, int delayMs = 0);
HIDSTANDIN_API std::vector<Report> writtenReports(int deviceNumber);
HIDSTANDIN_API void setWriteFails(int deviceNumber, bool fails);
// Makes HID_EnumHIDno return this count, whatever it writes (until reset).
HIDSTANDIN_API void reportDeviceCount(int count);

HIDSTANDIN_API std::vector<LibraryCall> calls();
HIDSTANDIN_API std::vector<std::string> callNames();
HIDSTANDIN_API void clearCalls();

// True once every message due so far has been posted.
HIDSTANDIN_API bool nothingPending();

} // namespace hidstandin
