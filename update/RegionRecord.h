#pragma once

#include <juce_core/juce_core.h>

// One entry of the image plan: what to write where, and whether to.
struct RegionRecord
{
    // Values of `state` besides a failed load's code.
    static constexpr int notPlanned = 0;
    static constexpr int present = 1;
    static constexpr int toBeWritten = 2;
    static constexpr int upToDate = 3;

    juce::File file;
    juce::int64 size = 0;
    juce::int64 fileOffset = 0;
    juce::int64 address = 0;
    juce::int32 state = notPlanned;
    juce::uint8 target = 0;
};
