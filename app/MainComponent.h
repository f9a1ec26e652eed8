#pragma once

#include "AlineButton.h"
#include "LangLookAndFeel.h"
#include "ProgressLookAndFeel.h"
#include "device/HidCtrl.h"
#include "update/RegionRecord.h"

#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

// The one content component of the program. It is the worker thread
// "UpdatingThread" and the device link's handler too. Its members follow one
// fixed order; the member functions live with the subsystem they belong to:
// update/ (image file, protocol, worker) and app/ (construction, screens,
// controls). The members are read directly by those functions and by tests.
class MainComponent : public juce::Component,
                      public juce::AsyncUpdater,
                      public juce::Thread,
                      public HidHandler,
                      public juce::ComboBox::Listener,
                      public juce::Button::Listener
{
public:
    MainComponent();
    ~MainComponent() override;

    // The screens (app/Screens.cpp).
    void paint(juce::Graphics& g) override;
    void resized() override;
    void handleAsyncUpdate() override;
    void updateScreen();

    // The buttons, the language box and quitting (app/Controls.cpp).
    void buttonClicked(juce::Button* button) override;
    void comboBoxChanged(juce::ComboBox* box) override;
    void selectLanguageFromBox();
    void closeProgram();

    // The worker thread (update/UpdateWorker.cpp).
    void run() override;
    void setStatus(int code);
    bool sumSelectedSizes();
    void deviceRemoved() override;
    void deviceArrived() override;
    // Asks the worker to exit, wakes it, and waits up to 5000 ms for it;
    // false when it had to be killed.
    bool stopWorker();

    // The unit update protocol (update/UnitProtocol.cpp).
    bool sendCommand();
    bool probeDevice();
    void queryDeviceVersion();
    void inputReceived(int unused) override;

    // The image file and the region plan (update/FirmwareFile.cpp).
    void findFirmwareFile();
    int loadFirmwareFile(const juce::File& image, juce::uint8* date, juce::String& version);

    juce::GlyphArrangement glyphs;
    juce::LangLookAndFeel langLookAndFeel;
    juce::ComboBox* languageBox = nullptr;
    ProgressLookAndFeel* progressLookAndFeel = nullptr;
    // Written by the worker, read by the progress bar through a plain
    // double&: the worker stores it atomically.
    double progress = 0.0;
    juce::ProgressBar* progressBar = nullptr;
    AlineButton* mainButton = nullptr;
    AlineButton* secondButton = nullptr;

    juce::CriticalSection lock;
    juce::WaitableEvent responseEvent { false };

    RegionRecord regions[3];
    juce::int64 totalBytes = 0;
    std::atomic<juce::int32> status { 0 };
    std::atomic<juce::int32> layoutReady { 0 };
    juce::int32 cpuType = 0;
    std::atomic<juce::int32> fileCpuType { 0 };
    juce::uint8 fileDate[4] = {};
    juce::uint8 deviceDate[4] = {};
    juce::String fileVersion;
    juce::String deviceVersion;
    juce::uint32 chunkSum = 0;
    juce::uint16 fileKey = 0;
    juce::uint8 fileScrambled = 0;
    juce::int32 variantB = 0;
    HidCtrl* hid = nullptr;
    juce::uint8 command[64] = {};
    // Written on the GUI thread, read by the worker after it wakes; a unit
    // that answers twice may overlap the two, so each byte is atomic.
    std::atomic<juce::uint8> response[64] = {};
    std::atomic<juce::int32> currentImage { 0 };
    std::atomic<juce::uint8> firstRegionStarted { 0 };
    juce::uint8 startConfirmed = 0;
    std::atomic<juce::int32> finished { 0 };
    juce::uint32 crcTable[256] = {};

    // The worker's position in the plan: the region, the chunk's offset in
    // it, and the region's bytes handed to the unit so far.
    std::atomic<juce::int32> imageIndex { 0 };
    std::atomic<juce::int32> chunkOffset { 0 };
    std::atomic<juce::int64> sentOffset { 0 };

    // What the verification saw of the image file, so that the transfer
    // notices a file that changed since.
    juce::int64 fileSize = 0;
    juce::Time fileModified;

private:
    void addTextBlock(const juce::String& text, int style, juce::Rectangle<float> area);
    float textBottom() const;
    void composeRecoveryScreen();
    void setControls(int screen);
    void setButton(AlineButton& button, int slot, bool rightHandPlace);
    void giveFocusToDefaultControl(int screen);

    void probeStep();
    void prepareStep();
    void windowStep();
    void sendChunkStep();
    bool checkSumStep();
    bool pollStep();
    void completeUpdate();
    void requestScreenBuild();
    void storeProgress(double value);
    void clearCommand(juce::uint8 target, juce::uint8 code);
    bool markUnitRemoved();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(MainComponent)
};
