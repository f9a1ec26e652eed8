#pragma once

#include "HidUtil.h"

#include <atomic>
#include <cstdint>

// The device link that the rest of the system holds: it owns the one HidUtil,
// keeps the state of the connection and forwards the three callbacks to its
// owner after updating that state.
class HidCtrl : public HidHandler
{
public:
    HidCtrl() = default;
    ~HidCtrl() override;

    int initialize(HidHandler* newOwner, int unused);
    // Safe from the worker thread while the GUI thread may clear the connection.
    bool write(const std::uint8_t* report, int unused);
    void release();

    void deviceRemoved() override;
    void deviceArrived() override;
    void inputReceived(int unused) override;

    HidHandler* owner = nullptr;
    HidUtil* util = nullptr;
    std::atomic<std::int32_t> connected { 0 }; // read by the worker thread
    std::uint32_t firmwareVersion = 0;
    std::uint8_t buffer[HidUtil::reportSize] = {};
    std::int32_t length = 0;
};
