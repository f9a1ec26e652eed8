#include "MainComponent.h"

#include "update/FirmwareImage.h"

MainComponent::MainComponent()
{
    fillCrcTable(crcTable);
}

MainComponent::~MainComponent() = default;
