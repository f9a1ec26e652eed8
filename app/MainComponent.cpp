// Construction and destruction of MainComponent, in their fixed orders.

#include "MainComponent.h"

#include "update/FirmwareImage.h"

MainComponent::MainComponent()
    : juce::Thread("UpdatingThread")
{
    fillCrcTable(crcTable);

    // Last, the device link: its callbacks use the lock and the event above.
    hid = new HidCtrl();
    hid->initialize(this, 64);
}

MainComponent::~MainComponent()
{
    // Nothing below may go while the worker still runs.
    for (auto& byte : response)
        byte = 0;

    stopWorker();

    hid->release();
    delete hid;
    hid = nullptr;
}
