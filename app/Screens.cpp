// Building the screen from the status word.

#include "MainComponent.h"

void MainComponent::handleAsyncUpdate()
{
    const juce::ScopedLock screenLock(lock);
    updateScreen();
}

void MainComponent::updateScreen()
{
}
