#pragma once

#include <functional>

namespace testsupport
{
// Dispatches messages on the calling (message) thread until the condition
// holds or the time is up; returns whether the condition held.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 20000);

// Dispatches messages for the given time.
void pumpFor(int milliseconds);
} // namespace testsupport
