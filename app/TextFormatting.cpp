#include "TextFormatting.h"

#include <algorithm>
#include <string>

namespace
{
constexpr size_t resultLimit = 255;

bool isUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}
} // namespace

juce::String formatText(juce::String templateText, juce::String first, juce::String second,
                        juce::String third, juce::String fourth)
{
    const std::string pattern = templateText.toStdString();
    const std::string arguments[] = { first.toStdString(), second.toStdString(), third.toStdString(),
                                      fourth.toStdString() };
    size_t nextArgument = 0;
    std::string result;

    for (size_t i = 0; i < pattern.size(); ++i)
    {
        if (pattern[i] != '%')
        {
            result += pattern[i];
            continue;
        }

        // A conversion: flags, a width, then 's'; anything else stays as written.
        size_t end = i + 1;
        bool zeroFill = false;

        for (; end < pattern.size() && (pattern[end] == '0' || pattern[end] == ' '); ++end)
            if (pattern[end] == '0')
                zeroFill = true;

        size_t width = 0;

        for (; end < pattern.size() && pattern[end] >= '0' && pattern[end] <= '9'; ++end)
            width = std::min(width * 10 + static_cast<size_t>(pattern[end] - '0'), resultLimit + 1);

        if (end < pattern.size() && pattern[end] == 's')
        {
            const auto& text = nextArgument < 4 ? arguments[nextArgument] : std::string();
            ++nextArgument;

            if (text.size() < width)
                result.append(width - text.size(), zeroFill ? '0' : ' ');

            result += text;
            i = end;
        }
        else if (end == i + 1 && end < pattern.size() && pattern[end] == '%')
        {
            result += '%';
            i = end;
        }
        else
        {
            result += '%';
        }

        if (result.size() > resultLimit)
            break;
    }

    if (result.size() > resultLimit)
    {
        size_t cut = resultLimit;

        while (cut > 0 && isUtf8Continuation(result[cut]))
            --cut;

        result.resize(cut);
    }

    return juce::String::fromUTF8(result.data(), static_cast<int>(result.size()));
}
