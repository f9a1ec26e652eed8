#pragma once

#include "support/XErrors.h"
#include "support/MessageLoop.h"

#include "app/MainComponent.h"
#include "app/MainWindow.h"
#include "platform/linux/WindowsTypefaces.h"
#include "platform/vxqmrt6hid-standin/StandinControl.h"
#include "platform/win32-standin/Win32StandinControl.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace testsupport
{
// The program's real window with its MainComponent on a private X server, in
// English with the English, Russian and Japanese locales installed, and no unit.
class ProgramWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        ignoreXErrors();
        addWindowsTypefaces(); // as the program does at start
        hidstandin::reset();
        win32standin::setUserLocaleName(std::string("en_US.UTF-8"));
        win32standin::setInstalledLocaleNames(std::vector<std::string> { "C", "en_US.UTF-8", "ja_JP.UTF-8", "ru_RU.UTF-8" });
    }

    void TearDown() override
    {
        window.reset();
        win32standin::setUserLocaleName(std::nullopt);
        win32standin::setInstalledLocaleNames(std::nullopt);
    }

    // Opens the window and lets the first messages (the box's change notice) arrive.
    void open()
    {
        window = std::make_unique<MainWindow>();
        component = dynamic_cast<MainComponent*>(window->getContentComponent());
        ASSERT_NE(component, nullptr);
        pumpFor(50);
    }

    void show(int status)
    {
        component->status = status;
        component->updateScreen();
    }

    // The laid-out text, line by line from the top; empty lines left out.
    std::vector<juce::String> lines() const
    {
        std::map<int, juce::String> byBaseline;
        auto& glyphs = component->glyphs;

        for (int i = 0; i < glyphs.getNumGlyphs(); ++i)
        {
            const auto& glyph = glyphs.getGlyph(i);
            byBaseline[juce::roundToInt(glyph.getBaselineY())] += juce::String::charToString(glyph.getCharacter());
        }

        std::vector<juce::String> result;
        for (auto& line : byBaseline)
            if (line.second.trim().isNotEmpty())
                result.push_back(line.second.trimEnd());

        return result;
    }

    // Paints the component into an image, as its window would.
    juce::Image paint() const
    {
        juce::Image image(juce::Image::ARGB, component->getWidth(), component->getHeight(), true);
        juce::Graphics g(image);
        component->paint(g);
        return image;
    }

    std::unique_ptr<MainWindow> window;
    MainComponent* component = nullptr;
};
} // namespace testsupport
