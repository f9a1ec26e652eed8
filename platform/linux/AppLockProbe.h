#pragma once

#include <juce_core/juce_core.h>

// Whether a process of this user holds JUCE's single-instance lock of the
// application ("juceAppLock_" + the application name) right now. A holder
// whose user cannot be told counts as this user's. It looks without taking
// the lock, so it never makes another start fail JUCE's own check.
// Call it only before this process takes that lock: closing the file that it
// opens would release a lock that this process held.
bool isAppLockHeldByThisUser(const juce::String& applicationName);
