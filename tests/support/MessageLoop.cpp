#include "MessageLoop.h"

#include <juce_events/juce_events.h>

namespace testsupport
{
bool pumpUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32>(timeoutMs);

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() >= deadline)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil(1);
    }

    return true;
}

void pumpFor(int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(milliseconds);
}
} // namespace testsupport
