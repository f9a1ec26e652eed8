#pragma once

// The stand-in library's one state: the simulated devices, the registered
// callback window, the call log, and the library's own thread that delivers
// what is due later (delayed answers, plugging in) as posted window messages.

#include "StandinControl.h"

#include "../vxqmrt6hid.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace hidstandin
{
class DeviceSet
{
public:
    static DeviceSet& instance();

    // The library operations, in the terms of vxqmrt6hid.h.
    void log(const char* name, std::vector<long long> arguments);
    void setCallback(HWND window, UINT inputMessage, UINT arrivalMessage, UINT removalMessage);
    void start();
    void stop();
    int enumerate(int* numbers);
    int deviceType(int number);
    bool firmwareVersion(int type, DWORD* word);
    int takeInput(int number, unsigned char* buffer, int capacity);
    bool write(int number, const unsigned char* report, int length);

    // The test side.
    void reset();
    int addDevice(int type, std::shared_ptr<DeviceResponder> responder, bool pluggedIn, std::uint32_t firmwareVersion);
    void plug(int number, int delayMs);
    void unplug(int number);
    void queueInput(int number, Report report, int delayMs);
    std::vector<Report> writtenReports(int number);
    void setWriteFails(int number, bool fails);
    void reportDeviceCount(std::optional<int> count);
    std::vector<LibraryCall> calls();
    void clearCalls();
    bool nothingPending();

    // Whether tests took the library over; a program run configures it otherwise.
    bool claimedByTests();

private:
    using Clock = std::chrono::steady_clock;

    struct Device
    {
        int type = 0;
        bool pluggedIn = false;
        bool writeFails = false;
        std::uint32_t firmwareVersion = 0;
        std::shared_ptr<DeviceResponder> responder;
        std::deque<Report> inputs;
        std::vector<Report> written;
    };

    enum class EventKind { input, plugIn, removalMessage };

    struct Event
    {
        EventKind kind;
        int device;
        Report report;
    };

    class Link;

    DeviceSet() = default;
    ~DeviceSet();

    void schedule(Event event, int delayMs);
    void unplugLocked(int number);
    void deliveryLoop();
    bool applyLocked(Event& event, UINT& message, WPARAM& wParam);
    void stopDeliveryThread(std::unique_lock<std::mutex>& lock);
    Device* findLocked(int number);

    std::mutex mutex;
    std::condition_variable wake;
    std::map<int, Device> devices;
    int nextNumber = 0;
    HWND window = nullptr;
    UINT inputMessage = 0, arrivalMessage = 0, removalMessage = 0;
    bool started = false;
    bool testsOwnIt = false;
    std::multimap<Clock::time_point, Event> events; // equal times keep their order
    std::thread deliveryThread;
    bool deliveryStopping = false;
    bool posting = false;
    std::vector<LibraryCall> callLog;
    std::optional<int> countOverride;
};

} // namespace hidstandin
