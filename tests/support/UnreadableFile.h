#pragma once

#include <juce_core/juce_core.h>

namespace testsupport
{
// A file that is listed like any other but cannot be opened for reading while
// this object lives: a FIFO on POSIX (opening it for reading would block), an
// empty file held open without sharing on Windows.
class UnreadableFile
{
public:
    explicit UnreadableFile(const juce::File& file);
    ~UnreadableFile();

    bool wasMade() const { return made; }

private:
    bool made = false;
    void* heldOpen = nullptr; // on Windows, the handle that shares nothing

    JUCE_DECLARE_NON_COPYABLE(UnreadableFile)
};

// Takes every permission from an existing file; returns whether that keeps
// this process from reading it, which it never does on Windows (no such
// permission bits) nor for root.
bool denyReading(const juce::File& file);
} // namespace testsupport
