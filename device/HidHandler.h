#pragma once

// How the device link tells its owner about the unit.
class HidHandler
{
public:
    virtual ~HidHandler() = default;

    // The open unit was removed.
    virtual void deviceRemoved() = 0;
    // A unit of the wanted type was found after an arrival message.
    virtual void deviceArrived() = 0;
    // An input report of the open unit is ready. No receiver reads the argument.
    virtual void inputReceived(int parameter) = 0;
};
