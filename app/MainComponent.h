#pragma once

#include "update/RegionRecord.h"

#include <juce_core/juce_core.h>

#include <atomic>

// The one content component of the program. Its members follow one fixed
// order; the member functions live with the subsystem they belong to:
// update/ (image file, protocol, worker) and app/ (construction, screens,
// controls). The members are read directly by those functions and by tests.
class MainComponent
{
public:
    MainComponent();
    ~MainComponent();

    // The image file and the region plan (update/FirmwareFile.cpp).
    void findFirmwareFile();
    int loadFirmwareFile(const juce::File& image, juce::uint8* date, juce::String& version);

    // The sticky setter of the status word (update/StatusWord.cpp).
    void setStatus(int code);

    RegionRecord regions[3];
    std::atomic<juce::int32> status { 0 };
    std::atomic<juce::int32> layoutReady { 0 };
    juce::int32 cpuType = 0;
    std::atomic<juce::int32> fileCpuType { 0 };
    juce::uint8 fileDate[4] = {};
    juce::String fileVersion;
    juce::uint16 fileKey = 0;
    juce::uint8 fileScrambled = 0;
    juce::int32 variantB = 0;
    juce::uint32 crcTable[256] = {};

    // What the verification saw of the image file, so that the transfer
    // notices a file that changed since.
    juce::int64 fileSize = 0;
    juce::Time fileModified;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MainComponent)
};
