#include "ImageFolder.h"

namespace
{
juce::File& folderForTests()
{
    static juce::File folder;
    return folder;
}
} // namespace

juce::File imageFolder()
{
    if (folderForTests() != juce::File())
        return folderForTests();

    return juce::File::getSpecialLocation(juce::File::currentExecutableFile).getParentDirectory();
}

void setImageFolderForTests(const juce::File& folder)
{
    folderForTests() = folder;
}
