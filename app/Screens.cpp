// Building the screen from the status word, laying out and painting it.

#include "MainComponent.h"

#include "TextFormatting.h"
#include "text/TxtLoader.h"
#include "update/UpdateStatus.h"

#include <BinaryData.h>

namespace
{
constexpr float fontHeight = 13.0f;
constexpr int buttonWidth = 100, buttonHeight = 20;
constexpr int recoveryWidth = 800, recoveryHeight = 240;
const juce::Colour background { 0xFFEAEAEA };
const juce::Colour regionZeroBar { 0xFFFA32C8 };
const juce::Colour laterRegionBar { 0xFF080808 };

// Message slots of the screens.
enum Slot
{
    modelSlot = 2, titleSlot = 3, okSlot = 4, startSlot = 5, cancelSlot = 6, closeSlot = 7,
    languageTitleSlot = 8, languagePromptSlot = 9, fileErrorSlot = 10, notConnectedSlot = 11,
    updateIntroSlot = 12, currentVersionSlot = 13, updateVersionSlot = 14, updatingSlot = 15,
    pleaseWaitSlot = 16, completeSlot = 17, failedSlot = 18, unitUnavailableSlot = 19, retryIntroSlot = 20,
    retryStep1Slot = 21, retryStep2Slot = 22, retryStep3Slot = 23
};

bool isUpdating(int status)
{
    return status >= UpdateStatus::announceChunk && status <= UpdateStatus::pollWrite;
}

bool isFileError(int status)
{
    return status >= UpdateStatus::noImageFile && status <= UpdateStatus::imageCrcMismatch;
}

bool isRecovery(int status)
{
    return status >= UpdateStatus::unitBadDateOrVersion && status <= UpdateStatus::unexpectedAnswer
           && status != UpdateStatus::notConnected;
}

juce::String format(const juce::String& templateText, const juce::String& first = {}, const juce::String& second = {})
{
    return formatText(templateText, first, second, {}, {});
}

juce::String errorIdLine(int status)
{
    return "\n\nError ID:\t0x" + format("%04s", juce::String::toHexString(status).toUpperCase());
}

// "1.05" gives "1" and "05".
juce::String versionLine(const juce::String& templateText, const juce::String& version)
{
    return format(templateText, version.substring(0, 1), version.substring(2, 4));
}

bool holdsFocus(const juce::Component* control)
{
    const auto* focused = juce::Component::getCurrentlyFocusedComponent();
    return focused != nullptr && (focused == control || control->isParentOf(focused));
}
} // namespace

void MainComponent::updateScreen()
{
    auto& texts = *TxtLoader::getInstance();
    const auto fontName = texts.getCurrentFontName();
    const int screen = status;
    const int w = getWidth(), h = getHeight();

    juce::Font::setFallbackFontName(fontName);

    if (auto* parent = getParentComponent())
        parent->setName(texts.getText(titleSlot)); // the window's title

    glyphs.clear();

    const auto model = texts.getText(modelSlot);
    const auto headingArea = juce::Rectangle<int>(20, 20, w - 40, h - 20).toFloat();
    // Below the text so far; kept as the fraction the layout gives, not rounded.
    const auto bodyArea = [&] {
        const float top = textBottom();
        return juce::Rectangle<float>(40.0f, top, static_cast<float>(w - 60), static_cast<float>(h) - top);
    };
    const auto besideIconArea = juce::Rectangle<int>(105, 20, w - 125, h - 20).toFloat();

    if (screen == UpdateStatus::notConnected)
    {
        addTextBlock(format(texts.getText(notConnectedSlot), model) + errorIdLine(screen), juce::Font::plain, besideIconArea);
    }
    else if (screen == UpdateStatus::languageSelection)
    {
        addTextBlock(texts.getText(languageTitleSlot) + "\n\n", juce::Font::bold, headingArea);
        addTextBlock(texts.getText(languagePromptSlot), juce::Font::plain, bodyArea());
    }
    else if (screen == UpdateStatus::ready)
    {
        if (layoutReady == 8)
        {
            addTextBlock(format(texts.getText(updateIntroSlot), model), juce::Font::bold, headingArea);
            addTextBlock(versionLine(texts.getText(currentVersionSlot), deviceVersion) + "\n"
                             + versionLine(texts.getText(updateVersionSlot), fileVersion),
                         juce::Font::plain, bodyArea());
        }
    }
    else if (isUpdating(screen))
    {
        addTextBlock(format(texts.getText(updatingSlot), model) + "\n\n", juce::Font::bold, headingArea);
        addTextBlock(texts.getText(pleaseWaitSlot), juce::Font::plain, bodyArea());
    }
    else if (screen == UpdateStatus::complete)
    {
        addTextBlock(format(texts.getText(completeSlot), model), juce::Font::plain, headingArea);
    }
    else if (isFileError(screen))
    {
        addTextBlock(texts.getText(fileErrorSlot) + errorIdLine(screen), juce::Font::plain, besideIconArea);
    }
    else if (isRecovery(screen))
    {
        composeRecoveryScreen();
    }

    setControls(screen);
    repaint();
}

void MainComponent::composeRecoveryScreen()
{
    // The size change builds the whole screen once more, nested; its text is
    // dropped, so that the recovery text is laid out once.
    centreWithSize(recoveryWidth, recoveryHeight);
    glyphs.clear();

    auto& texts = *TxtLoader::getInstance();
    const auto line = [&texts](int slot) { return texts.getText(slot); };
    const juce::String processor = fileCpuType == 2 ? "For RT1062" : "UNKNOWN CPU";
    const juce::String hyphens = "-------------\n";

    const auto text = line(failedSlot) + "\n" + line(unitUnavailableSlot) + "\n" + line(retryIntroSlot) + "\n\n"
                      + line(retryStep1Slot) + "\n\n" + line(retryStep2Slot) + "\n\n" + line(retryStep3Slot) + "\n"
                      + hyphens + processor + "\n" + hyphens + "\n";

    addTextBlock(text, juce::Font::plain, juce::Rectangle<int>(105, 20, getWidth() - 125, getHeight() - 20).toFloat());
}

void MainComponent::addTextBlock(const juce::String& text, int style, juce::Rectangle<float> area)
{
    const juce::Font font(TxtLoader::getInstance()->getCurrentFontName(), fontHeight, style);
    // One line for every 13 pixels of height.
    const int maximumLines = static_cast<int>(area.getHeight() * (1.0f / 13.0f));

    glyphs.addFittedText(font, text, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                         juce::Justification::topLeft, maximumLines, 0.0f);
}

float MainComponent::textBottom() const
{
    return glyphs.getBoundingBox(0, -1, true).getBottom();
}

void MainComponent::setControls(int screen)
{
    auto& texts = *TxtLoader::getInstance();

    if (screen == UpdateStatus::languageSelection)
    {
        languageBox->setSelectedId(texts.currentLanguage + 1, juce::sendNotificationAsync);
        languageBox->setVisible(true);
        languageBox->resized(); // its text takes the current language's font again
    }
    else
    {
        languageBox->setVisible(false);
    }

    progressBar->setVisible(isUpdating(screen));

    if (isUpdating(screen))
    {
        if (currentImage == 0)
            progressBar->setColour(juce::ProgressBar::backgroundColourId, regionZeroBar);
        else if (firstRegionStarted == 0)
            progressBar->setColour(juce::ProgressBar::backgroundColourId, laterRegionBar);
    }

    mainButton->setFontName(texts.getCurrentFontName());
    secondButton->setFontName(texts.getCurrentFontName());

    if (screen == UpdateStatus::languageSelection || screen == UpdateStatus::ready)
    {
        setButton(*mainButton, screen == UpdateStatus::ready ? startSlot : okSlot, true);
        setButton(*secondButton, screen == UpdateStatus::ready ? closeSlot : cancelSlot, false);
    }
    else if (isUpdating(screen))
    {
        mainButton->setVisible(false);
        secondButton->setVisible(false);
    }
    else if (screen == UpdateStatus::complete)
    {
        setButton(*mainButton, okSlot, true);
    }
    else if (UpdateStatus::isError(screen))
    {
        mainButton->setVisible(false);
        setButton(*secondButton, closeSlot, true);
    }
}

void MainComponent::setButton(AlineButton& button, int slot, bool rightHandPlace)
{
    const int w = getWidth(), h = getHeight();
    button.setVisible(true);
    button.setTextAndRepaint(TxtLoader::getInstance()->getText(slot));
    button.setBounds(rightHandPlace ? w - 120 : w - 230, h - 40, buttonWidth, buttonHeight);
}

void MainComponent::resized()
{
    updateScreen();

    const int w = getWidth(), h = getHeight();
    languageBox->setBounds(20, h - 80, w - 40, 20);
    progressBar->setBounds(20, h - 80, w - 40, 20);

    if (mainButton->isVisible())
    {
        mainButton->setBounds(w - 120, h - 40, buttonWidth, buttonHeight);
        secondButton->setBounds(w - 230, h - 40, buttonWidth, buttonHeight);
    }
    else
    {
        secondButton->setBounds(w - 120, h - 40, buttonWidth, buttonHeight);
    }
}

void MainComponent::paint(juce::Graphics& g)
{
    const int screen = status;
    g.fillAll(background);

    if (UpdateStatus::isError(screen))
    {
        const auto icon = juce::ImageCache::getFromMemory(BinaryData::warning_png, BinaryData::warning_pngSize);

        if (icon.isValid())
            g.drawImage(icon, 20, 15, 64, 64, 0, 0, icon.getWidth(), icon.getHeight());
    }

    g.setColour(juce::Colours::black);
    glyphs.draw(g);

    giveFocusToDefaultControl(screen);
}

void MainComponent::giveFocusToDefaultControl(int screen)
{
    if (screen == UpdateStatus::languageSelection)
    {
        if (! holdsFocus(languageBox) && ! holdsFocus(mainButton) && ! holdsFocus(secondButton))
            mainButton->grabKeyboardFocus();
    }
    else if (screen == UpdateStatus::ready)
    {
        if (! holdsFocus(mainButton) && ! holdsFocus(secondButton))
            mainButton->grabKeyboardFocus();
    }
    else if (screen == UpdateStatus::complete)
    {
        if (! holdsFocus(mainButton))
            mainButton->grabKeyboardFocus();
    }
    else if (UpdateStatus::isError(screen))
    {
        if (! holdsFocus(secondButton))
            secondButton->grabKeyboardFocus();
    }
}

void MainComponent::handleAsyncUpdate()
{
    const juce::ScopedLock screenLock(lock);
    updateScreen();
}
