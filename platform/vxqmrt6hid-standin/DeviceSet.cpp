#include "DeviceSet.h"

#include <algorithm>
#include <cstring>

namespace hidstandin
{
// What a responder holds while it answers one written report.
class DeviceSet::Link : public DeviceLink
{
public:
    Link(DeviceSet& owner, int number) : set(owner), number(number) {}

    int deviceNumber() const override { return number; }

    void answer(Report report, int delayMs) override
    {
        set.queueInput(number, std::move(report), delayMs);
    }

    void unplug() override { set.unplug(number); }

private:
    DeviceSet& set;
    int number;
};

DeviceSet& DeviceSet::instance()
{
    static DeviceSet set;
    return set;
}

DeviceSet::~DeviceSet()
{
    std::unique_lock<std::mutex> lock(mutex);
    stopDeliveryThread(lock);
}

void DeviceSet::log(const char* name, std::vector<long long> arguments)
{
    std::lock_guard<std::mutex> guard(mutex);
    callLog.push_back({ name, std::move(arguments) });
}

void DeviceSet::setCallback(HWND newWindow, UINT input, UINT arrival, UINT removal)
{
    std::lock_guard<std::mutex> guard(mutex);
    window = newWindow;
    inputMessage = input;
    arrivalMessage = arrival;
    removalMessage = removal;
}

void DeviceSet::start()
{
    std::lock_guard<std::mutex> guard(mutex);

    if (started)
        return;

    started = true;
    deliveryStopping = false;
    deliveryThread = std::thread([this] { deliveryLoop(); });
}

void DeviceSet::stop()
{
    std::unique_lock<std::mutex> lock(mutex);
    stopDeliveryThread(lock);
}

void DeviceSet::stopDeliveryThread(std::unique_lock<std::mutex>& lock)
{
    started = false;
    deliveryStopping = true;
    wake.notify_all();

    if (deliveryThread.joinable())
    {
        auto thread = std::move(deliveryThread);
        lock.unlock();
        thread.join();
        lock.lock();
    }

    events.clear(); // a stopped library delivers nothing more
}

int DeviceSet::enumerate(int* numbers)
{
    std::lock_guard<std::mutex> guard(mutex);
    int count = 0;

    // At most as many numbers as the caller's array holds; the count tells all.
    for (auto& entry : devices)
    {
        if (! entry.second.pluggedIn)
            continue;

        if (count < HID_MAX_DEVICES)
            numbers[count] = entry.first;

        ++count;
    }

    return countOverride.value_or(count);
}

int DeviceSet::deviceType(int number)
{
    std::lock_guard<std::mutex> guard(mutex);
    auto* device = findLocked(number);
    return device != nullptr ? device->type : 0;
}

bool DeviceSet::firmwareVersion(int type, DWORD* word)
{
    std::lock_guard<std::mutex> guard(mutex);

    for (auto& entry : devices)
    {
        if (entry.second.pluggedIn && entry.second.type == type)
        {
            *word = entry.second.firmwareVersion;
            return true;
        }
    }

    return false;
}

int DeviceSet::takeInput(int number, unsigned char* buffer, int capacity)
{
    std::lock_guard<std::mutex> guard(mutex);
    auto* device = findLocked(number);

    if (device == nullptr || device->inputs.empty())
        return 0;

    auto report = std::move(device->inputs.front());
    device->inputs.pop_front();

    // Never beyond the caller's buffer; the length tells the whole report, as
    // a library that reports more than it was asked for would.
    std::memcpy(buffer, report.data(), std::min<std::size_t>(report.size(), static_cast<std::size_t>(std::max(capacity, 0))));
    return static_cast<int>(report.size());
}

bool DeviceSet::write(int number, const unsigned char* report, int length)
{
    std::shared_ptr<DeviceResponder> responder;
    Report written(report, report + length);
    {
        std::lock_guard<std::mutex> guard(mutex);
        auto* device = findLocked(number);

        if (device == nullptr || device->writeFails || ! device->pluggedIn)
            return false;

        device->written.push_back(written);
        responder = device->responder;
    }

    if (responder != nullptr)
    {
        Link link(*this, number);
        responder->reportWritten(written, link);
    }

    return true;
}

void DeviceSet::reset()
{
    std::unique_lock<std::mutex> lock(mutex);
    stopDeliveryThread(lock);
    devices.clear();
    window = nullptr;
    inputMessage = arrivalMessage = removalMessage = 0;
    callLog.clear();
    countOverride.reset();
    testsOwnIt = true;
}

int DeviceSet::addDevice(int type, std::shared_ptr<DeviceResponder> responder, bool pluggedIn, std::uint32_t firmwareVersion)
{
    std::lock_guard<std::mutex> guard(mutex);
    const int number = nextNumber++;
    auto& device = devices[number];
    device.type = type;
    device.pluggedIn = pluggedIn;
    device.firmwareVersion = firmwareVersion;
    device.responder = std::move(responder);
    return number;
}

void DeviceSet::plug(int number, int delayMs)
{
    schedule({ EventKind::plugIn, number, {} }, delayMs);
}

void DeviceSet::unplug(int number)
{
    std::lock_guard<std::mutex> guard(mutex);
    unplugLocked(number);
}

void DeviceSet::unplugLocked(int number)
{
    auto* device = findLocked(number);

    if (device == nullptr || ! device->pluggedIn)
        return;

    device->pluggedIn = false;
    device->inputs.clear();

    if (started)
    {
        events.emplace(Clock::now(), Event { EventKind::removalMessage, number, {} });
        wake.notify_all();
    }
}

void DeviceSet::queueInput(int number, Report report, int delayMs)
{
    schedule({ EventKind::input, number, std::move(report) }, delayMs);
}

void DeviceSet::schedule(Event event, int delayMs)
{
    std::lock_guard<std::mutex> guard(mutex);

    if (! started)
    {
        // Without the library's thread the change happens at once and no
        // message is sent; a delay cannot be kept.
        UINT message;
        WPARAM wParam;
        applyLocked(event, message, wParam);
        return;
    }

    // Due now with nothing queued before it: told from the caller's thread at
    // once, as waking the library's thread would cost more than the rest of a
    // round trip together. Posted under the lock, so the order holds.
    if (delayMs <= 0 && events.empty() && ! posting && window != nullptr)
    {
        UINT message = 0;
        WPARAM wParam = 0;

        if (applyLocked(event, message, wParam))
            PostMessageA(window, message, wParam, 0);

        return;
    }

    events.emplace(Clock::now() + std::chrono::milliseconds(std::max(delayMs, 0)), std::move(event));
    wake.notify_all();
}

// Applies an event to the devices; true when it is to be told to the window.
bool DeviceSet::applyLocked(Event& event, UINT& message, WPARAM& wParam)
{
    auto* device = findLocked(event.device);

    if (device == nullptr)
        return false;

    wParam = static_cast<WPARAM>(static_cast<unsigned int>(event.device));

    switch (event.kind)
    {
        case EventKind::input:
            if (! device->pluggedIn)
                return false;

            device->inputs.push_back(std::move(event.report));
            message = inputMessage;
            return true;

        case EventKind::plugIn:
            if (device->pluggedIn)
                return false;

            device->pluggedIn = true;
            message = arrivalMessage;
            wParam = 0;
            return true;

        case EventKind::removalMessage:
            message = removalMessage;
            return true;
    }

    return false;
}

void DeviceSet::deliveryLoop()
{
    std::unique_lock<std::mutex> lock(mutex);

    while (! deliveryStopping)
    {
        if (events.empty())
        {
            wake.wait(lock);
            continue;
        }

        const auto due = events.begin()->first;

        if (due > Clock::now())
        {
            wake.wait_until(lock, due);
            continue;
        }

        auto event = std::move(events.begin()->second);
        events.erase(events.begin());

        UINT message = 0;
        WPARAM wParam = 0;

        if (! applyLocked(event, message, wParam) || window == nullptr)
            continue;

        // Posted outside the lock; only this thread posts, so the order holds.
        const HWND target = window;
        posting = true;
        lock.unlock();
        PostMessageA(target, message, wParam, 0);
        lock.lock();
        posting = false;
    }
}

std::vector<Report> DeviceSet::writtenReports(int number)
{
    std::lock_guard<std::mutex> guard(mutex);
    auto* device = findLocked(number);
    return device != nullptr ? device->written : std::vector<Report> {};
}

void DeviceSet::reportDeviceCount(std::optional<int> count)
{
    std::lock_guard<std::mutex> guard(mutex);
    countOverride = count;
}

void DeviceSet::setWriteFails(int number, bool fails)
{
    std::lock_guard<std::mutex> guard(mutex);

    if (auto* device = findLocked(number))
        device->writeFails = fails;
}

std::vector<LibraryCall> DeviceSet::calls()
{
    std::lock_guard<std::mutex> guard(mutex);
    return callLog;
}

void DeviceSet::clearCalls()
{
    std::lock_guard<std::mutex> guard(mutex);
    callLog.clear();
}

bool DeviceSet::nothingPending()
{
    std::lock_guard<std::mutex> guard(mutex);
    return events.empty() && ! posting;
}

bool DeviceSet::claimedByTests()
{
    std::lock_guard<std::mutex> guard(mutex);
    return testsOwnIt;
}

DeviceSet::Device* DeviceSet::findLocked(int number)
{
    auto found = devices.find(number);
    return found != devices.end() ? &found->second : nullptr;
}

} // namespace hidstandin
