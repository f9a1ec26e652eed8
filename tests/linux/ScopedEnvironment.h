#pragma once

#include <juce_core/juce_core.h>

#include <cstdlib>
#include <optional>

// Sets (or, without a value, removes) one environment variable while it lives.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* variableName, const std::optional<juce::String>& value) : name(variableName)
    {
        if (const auto* previous = std::getenv(name))
            saved = juce::String::fromUTF8(previous);

        set(value);
    }

    ~ScopedEnvironment() { set(saved); }

private:
    void set(const std::optional<juce::String>& value)
    {
        value ? setenv(name, value->toRawUTF8(), 1) : unsetenv(name);
    }

    const char* name;
    std::optional<juce::String> saved;
};
