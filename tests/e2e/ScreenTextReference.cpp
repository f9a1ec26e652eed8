// screen-text-reference: draws what a screen's text should look like, so that
// the end-to-end tests can compare the program's window with it pixel by pixel.
//
//   screen-text-reference OUTPUT.png WIDTH HEIGHT FONT [bold|plain X Y W H TEXT]...
//
// Each block is laid out the way a screen lays out its text: the font at height
// 13, top-left, one line for every 13 pixels of height. A block whose Y is
// "below" begins at the bottom of the text laid out so far and runs to the
// bottom of the canvas. The canvas has the window's background; nothing but
// the text is drawn.

#include "platform/linux/WindowsTypefaces.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>

namespace
{
constexpr float fontHeight = 13.0f;
constexpr int fieldsPerBlock = 6;
const juce::Colour background { 0xFFEAEAEA };

int fail(const juce::String& message)
{
    std::cerr << "screen-text-reference: " << message << "\n"
              << "usage: screen-text-reference OUTPUT.png WIDTH HEIGHT FONT [bold|plain X Y W H TEXT]...\n";
    return 2;
}

bool isNumber(const juce::String& text)
{
    return text.isNotEmpty() && text.length() < 6 && text.containsOnly("0123456789");
}
} // namespace

int main(int argc, char* argv[])
{
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add(juce::String::fromUTF8(argv[i]));

    if (args.size() < 4 || (args.size() - 4) % fieldsPerBlock != 0 || ! isNumber(args[1]) || ! isNumber(args[2]))
        return fail("wrong arguments");

    juce::ScopedJuceInitialiser_GUI juce;

    if (! addWindowsTypefaces())
        return fail("the Windows typefaces of the build are missing");

    const int width = args[1].getIntValue(), height = args[2].getIntValue();
    const auto fontName = args[3];
    juce::Font::setFallbackFontName(fontName);

    juce::GlyphArrangement glyphs;

    for (int first = 4; first < args.size(); first += fieldsPerBlock)
    {
        const auto style = args[first];
        const bool below = args[first + 2] == "below";

        if ((style != "bold" && style != "plain") || ! isNumber(args[first + 1])
            || ! (below || isNumber(args[first + 2])) || ! isNumber(args[first + 3])
            || ! (below || isNumber(args[first + 4])))
            return fail("a block must be bold|plain X Y W H TEXT");

        const int x = args[first + 1].getIntValue(), w = args[first + 3].getIntValue();
        const int y = below ? static_cast<int>(glyphs.getBoundingBox(0, -1, true).getBottom())
                            : args[first + 2].getIntValue();
        const int h = below ? height - y : args[first + 4].getIntValue();

        const juce::Font font(fontName, fontHeight, style == "bold" ? juce::Font::bold : juce::Font::plain);
        const int maximumLines = static_cast<int>(static_cast<float>(h) * (1.0f / 13.0f));
        glyphs.addFittedText(font, args[first + 5], static_cast<float>(x), static_cast<float>(y),
                             static_cast<float>(w), static_cast<float>(h), juce::Justification::topLeft,
                             maximumLines, 0.0f);
    }

    juce::Image canvas(juce::Image::RGB, width, height, true);
    {
        juce::Graphics g(canvas);
        g.fillAll(background);
        g.setColour(juce::Colours::black);
        glyphs.draw(g);
    }

    const juce::File output = juce::File::getCurrentWorkingDirectory().getChildFile(args[0]);
    output.deleteFile();
    juce::FileOutputStream stream(output);
    juce::PNGImageFormat png;

    if (! stream.openedOk() || ! png.writeImageToStream(canvas, stream))
        return fail("cannot write " + output.getFullPathName());

    return 0;
}
