// Construction and destruction of MainComponent, in their fixed orders.

#include "MainComponent.h"

#include "text/TxtLoader.h"
#include "update/FirmwareImage.h"

namespace
{
const juce::Colour buttonBodyColour { 0xFFEAEAEA };
const juce::String defaultTypefaceName { "MS PGothic" };
} // namespace

MainComponent::MainComponent()
    : juce::Thread("UpdatingThread")
{
    fillCrcTable(crcTable);

    TxtLoader::createInstance();
    auto& texts = *TxtLoader::getInstance();

    langLookAndFeel.setDefaultSansSerifTypefaceName(defaultTypefaceName);
    juce::Desktop::getInstance().setDefaultLookAndFeel(&langLookAndFeel);
    juce::LookAndFeel::getDefaultLookAndFeel().setDefaultSansSerifTypefaceName(defaultTypefaceName);

    languageBox = new juce::ComboBox("langs");
    addAndMakeVisible(languageBox);
    languageBox->setLookAndFeel(&langLookAndFeel);
    languageBox->addListener(this);
    languageBox->setWantsKeyboardFocus(false);

    // Ids are the language index plus one; missing languages leave gaps.
    for (int i = 0; i < languageCount; ++i)
        if (texts.available[i])
            languageBox->addItem(texts.getLanguageName(i), i + 1);

    languageBox->setSelectedId(texts.currentLanguage + 1, juce::sendNotificationAsync);

    progressLookAndFeel = new ProgressLookAndFeel();
    progressBar = new juce::ProgressBar(progress);
    addAndMakeVisible(progressBar);
    progressBar->setLookAndFeel(progressLookAndFeel);
    progressBar->setColour(juce::ProgressBar::foregroundColourId, juce::Colour(0xFF3D3D3D));
    progressBar->setColour(juce::ProgressBar::backgroundColourId, juce::Colour(0xFF080808));

    const auto makeButton = [this](const juce::String& text) {
        auto* button = new AlineButton(text);
        addAndMakeVisible(button);
        button->addListener(this);
        button->setFontStyle(juce::Font::bold);
        button->setColour(juce::TextButton::buttonColourId, buttonBodyColour);
        button->setColour(juce::TextButton::buttonOnColourId, buttonBodyColour);
        return button;
    };

    mainButton = makeButton("OK");
    secondButton = makeButton("Cancel");

    for (auto& byte : response)
        byte = 0;

    // Last, the device link: its callbacks use the lock, the event and the screen.
    hid = new HidCtrl();
    hid->initialize(this, 64);
}

MainComponent::~MainComponent()
{
    // Nothing below may go while the worker still runs.
    for (auto& byte : response)
        byte = 0;

    stopWorker();

    delete languageBox;
    languageBox = nullptr;
    delete progressBar;
    progressBar = nullptr;
    delete mainButton;
    mainButton = nullptr;
    delete secondButton;
    secondButton = nullptr;
    delete progressLookAndFeel;
    progressLookAndFeel = nullptr;

    hid->release();
    delete hid;
    hid = nullptr;

    TxtLoader::deleteInstance();

    // langLookAndFeel stays the desktop's default: the desktop holds it weakly
    // and falls back to JUCE's own once it is gone. Detaching it here would make
    // the window, which is deleting this component, lay it out once more.
}
