#include "MessageLoop.h"

#include <juce_events/juce_events.h>

namespace juce
{
// JUCE's own dispatch step, which waits for the next message instead of
// sleeping a whole millisecond as a bounded dispatch loop does when idle.
bool dispatchNextMessageOnSystemQueue(bool returnIfNoPendingMessages);
} // namespace juce

namespace testsupport
{
namespace
{
// Its messages wake the loop often enough to notice the deadline.
struct Heartbeat : juce::Timer
{
    Heartbeat() { startTimer(5); }
    void timerCallback() override {}
};
} // namespace

bool pumpUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const Heartbeat heartbeat;
    const auto deadline = juce::Time::getMillisecondCounter() + static_cast<juce::uint32>(timeoutMs);

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() >= deadline)
            return false;

        juce::dispatchNextMessageOnSystemQueue(false);
    }

    return true;
}

void pumpFor(int milliseconds)
{
    pumpUntil([] { return false; }, milliseconds);
}
} // namespace testsupport
