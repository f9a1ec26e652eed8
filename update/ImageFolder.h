#pragma once

#include <juce_core/juce_core.h>

// Where the firmware image is looked for: the folder of the running executable.
juce::File imageFolder();

// Points the search elsewhere; for tests only. An empty File restores the default.
void setImageFolderForTests(const juce::File& folder);
