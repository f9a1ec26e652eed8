#pragma once

#include <juce_core/juce_core.h>

// Makes firmware images for tests and the demo: valid ones, plain or
// scrambled, and broken ones of each kind the verification must refuse.
struct ImageRequest
{
    enum class Fault { none, wrongSize, badCrc, badDate, badVersion };

    juce::String version = "1.10";
    // In file order: the year's first two digits, its last two, month, day (BCD).
    juce::uint8 date[4] = { 0x20, 0x24, 0x06, 0x15 };
    bool scrambled = false;
    juce::uint32 seed = 1; // the body is pseudo-random from this seed
    Fault fault = Fault::none;
};

juce::MemoryBlock makeFirmwareImage(const ImageRequest& request);

// "YYYYMMDD" as the four BCD bytes of a date stamp; false for any other text.
bool parseDateStamp(const juce::String& text, juce::uint8* date);
