#include "HidCtrl.h"

#include "../platform/vxqmrt6hid.h"

#include <algorithm>
#include <cstring>

HidCtrl::~HidCtrl()
{
    release();
}

int HidCtrl::initialize(HidHandler* newOwner, int)
{
    owner = newOwner;
    util = new HidUtil();
    connected = 0;
    std::memset(buffer, 0, sizeof(buffer));

    if (! util->initialize(this, 0))
    {
        release();
        connected = 0;
        return 0;
    }

    connected = util->findDevice() ? 1 : 0;

    if (connected == 0)
        return 0; // the library's arrival message connects later

    firmwareVersion = util->getFirmwareVersion();
    return 1;
}

bool HidCtrl::write(const std::uint8_t* report, int)
{
    if (connected == 0 || util == nullptr || report == nullptr)
        return false;

    // Read once: the GUI thread may set it to -1 at any moment.
    const int number = util->deviceNumber();

    if (number < 0)
        return false;

    return HID_Write(number, report, HidUtil::reportSize) != 0;
}

void HidCtrl::release()
{
    owner = nullptr;

    if (util != nullptr)
    {
        util->release();
        delete util;
        util = nullptr;
    }
}

void HidCtrl::deviceRemoved()
{
    connected = 0;
    firmwareVersion = 0;
    std::memset(buffer, 0, sizeof(buffer));
    length = 0;

    if (owner != nullptr)
        owner->deviceRemoved();
}

void HidCtrl::deviceArrived()
{
    connected = 1;
    firmwareVersion = util->getFirmwareVersion();
    // The library's length may claim more than the buffer holds.
    length = std::min(util->read(buffer, HidUtil::reportSize, 0), HidUtil::reportSize);

    if (owner != nullptr)
        owner->deviceArrived();
}

void HidCtrl::inputReceived(int)
{
    std::uint8_t received[HidUtil::reportSize] = {};
    const int receivedLength = util->read(received, HidUtil::reportSize, 0);

    if (receivedLength <= 0)
        return;

    const int copied = std::min(receivedLength, HidUtil::reportSize);
    std::memcpy(buffer, received, static_cast<std::size_t>(copied));
    length = copied;

    if (owner != nullptr)
        owner->inputReceived(0);
}
