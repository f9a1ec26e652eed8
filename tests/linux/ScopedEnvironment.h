#pragma once

#include <juce_core/juce_core.h>

#include <cstdlib>
#include <optional>

// Sets (or, with no value, removes) one environment variable for the life of
// the object; child processes started meanwhile inherit it.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* variableName, std::optional<juce::String> value) : name(variableName)
    {
        if (const auto* previous = std::getenv(name))
            saved = juce::String::fromUTF8(previous);

        set(value);
    }

    ~ScopedEnvironment() { set(saved); }

private:
    void set(const std::optional<juce::String>& value)
    {
        if (value)
            setenv(name, value->toRawUTF8(), 1);
        else
            unsetenv(name);
    }

    const char* name;
    std::optional<juce::String> saved;

    JUCE_DECLARE_NON_COPYABLE(ScopedEnvironment)
};
