#pragma once

#include <juce_core/juce_core.h>

// For a start of the program that JUCE's single-instance check is about to
// end: when a process of this user holds JUCE's lock of the application,
// hands this start's command line to its SecondStartListener and returns
// whether that instance took it. Returns false at once when no such process
// holds the lock, and within a bounded time when its listener does not answer
// (it may be starting or quitting). It neither takes the lock nor decides
// anything: JUCE's own check still ends this start or lets it run.
// Call it before JUCE's check takes the lock in this process.
bool handOverToRunningInstance(const juce::String& applicationName, const juce::String& commandLine);
