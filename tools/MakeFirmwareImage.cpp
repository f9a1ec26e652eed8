// make-firmware-image: writes a firmware image for tests and the demo.

#include "ImageMaker.h"

#include <iostream>

namespace
{
constexpr const char* usage =
    "usage: make-firmware-image OUTPUT [--version D.DD] [--date YYYYMMDD] [--scrambled]\n"
    "                           [--seed N] [--fault wrong-size|bad-crc|bad-date|bad-version]\n";

int fail(const juce::String& message)
{
    std::cerr << "make-firmware-image: " << message << "\n" << usage;
    return 2;
}

bool parseFault(const juce::String& text, ImageRequest::Fault& fault)
{
    if (text == "wrong-size")  { fault = ImageRequest::Fault::wrongSize;  return true; }
    if (text == "bad-crc")     { fault = ImageRequest::Fault::badCrc;     return true; }
    if (text == "bad-date")    { fault = ImageRequest::Fault::badDate;    return true; }
    if (text == "bad-version") { fault = ImageRequest::Fault::badVersion; return true; }
    return false;
}
} // namespace

int main(int argc, char* argv[])
{
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add(juce::String::fromUTF8(argv[i]));

    ImageRequest request;
    juce::String output;

    for (int i = 0; i < args.size(); ++i)
    {
        const auto& arg = args[i];
        const bool hasValue = i + 1 < args.size();

        if (arg == "--scrambled")
            request.scrambled = true;
        else if (arg == "--version" && hasValue)
        {
            request.version = args[++i];
            if (request.version.getNumBytesAsUTF8() != 4)
                return fail("the version must be four characters, for example 1.10");
        }
        else if (arg == "--date" && hasValue)
        {
            if (! parseDateStamp(args[++i], request.date))
                return fail("the date must be eight digits, YYYYMMDD");
        }
        else if (arg == "--seed" && hasValue)
        {
            const auto seed = args[++i];
            if (! seed.containsOnly("0123456789") || seed.isEmpty() || seed.length() > 9)
                return fail("the seed must be a number");
            request.seed = static_cast<juce::uint32>(seed.getLargeIntValue());
        }
        else if (arg == "--fault" && hasValue)
        {
            if (! parseFault(args[++i], request.fault))
                return fail("unknown fault '" + args[i] + "'");
        }
        else if (! arg.startsWith("--") && output.isEmpty())
            output = arg;
        else
            return fail("unexpected argument '" + arg + "'");
    }

    if (output.isEmpty())
        return fail("no output file given");

    const auto image = makeFirmwareImage(request);
    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile(output);

    if (! file.replaceWithData(image.getData(), image.getSize()))
        return fail("cannot write " + file.getFullPathName());

    return 0;
}
