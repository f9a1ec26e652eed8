#pragma once

#include <juce_core/juce_core.h>

// The names of the locales installed in a folder laid out as glibc's
// /usr/lib/locale, as `locale -a` lists them (less C and POSIX): the names in
// its locale-archive, then each sub-folder that holds locale data. A missing
// or malformed archive adds no names; the count and length of names are
// bounded.
juce::StringArray readInstalledLocaleNames(const juce::File& localeFolder);
