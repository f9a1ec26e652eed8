#pragma once

#include "support/MessageLoop.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

namespace testsupport
{
// Counts the clicks that a button delivers to its listeners.
struct ClickCounter : juce::Button::Listener
{
    void buttonClicked(juce::Button*) override { ++clicks; }

    int clicks = 0;
};

// Returns once every message posted before the call has been delivered.
inline void deliverPostedMessages()
{
    auto delivered = std::make_shared<std::atomic<bool>>(false);
    juce::MessageManager::callAsync([delivered] { *delivered = true; });
    pumpUntil([delivered] { return delivered->load(); });
}
} // namespace testsupport
