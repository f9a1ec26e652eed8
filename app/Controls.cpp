// What the two buttons and the language box do, and how the program is left.

#include "MainComponent.h"

#include "text/TxtLoader.h"
#include "update/UpdateStatus.h"

void MainComponent::buttonClicked(juce::Button* button)
{
    const int screen = status;

    if (button == mainButton)
    {
        if (screen == UpdateStatus::languageSelection)
        {
            if (hid->connected != 0)
            {
                responseEvent.reset();
                startThread(); // does nothing while the worker already runs
            }
            else
            {
                setStatus(UpdateStatus::notConnected);
            }

            updateScreen();
        }
        else if (screen == UpdateStatus::ready)
        {
            startConfirmed = 1;
            // Only from the ready screen: a removal stored meanwhile stays.
            int ready = UpdateStatus::ready;
            status.compare_exchange_strong(ready, UpdateStatus::startPressed);
        }
        else if (startConfirmed == 0 || (screen == UpdateStatus::complete && finished == 1))
        {
            closeProgram();
        }
    }
    else if (button == secondButton)
    {
        closeProgram();
    }
}

void MainComponent::comboBoxChanged(juce::ComboBox* box)
{
    if (box != languageBox)
        return;

    selectLanguageFromBox();
    languageBox->resized(); // its text takes the selected language's font
    updateScreen();
}

void MainComponent::selectLanguageFromBox()
{
    const int index = languageBox->getSelectedId() - 1;
    auto& texts = *TxtLoader::getInstance();

    if (index >= 0 && index < languageCount && index != texts.currentLanguage)
        texts.setLanguage(index);
}

void MainComponent::closeProgram()
{
    for (auto& byte : response)
        byte = 0;

    stopWorker();

    if (auto* application = juce::JUCEApplication::getInstance())
        application->systemRequestedQuit();
}
