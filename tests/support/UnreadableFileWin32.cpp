#include "UnreadableFile.h"

#include "platform/win32.h"

namespace testsupport
{
UnreadableFile::UnreadableFile(const juce::File& file)
{
    const auto handle = CreateFileW(file.getFullPathName().toWideCharPointer(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    made = handle != INVALID_HANDLE_VALUE;

    if (made)
        heldOpen = handle;
}

UnreadableFile::~UnreadableFile()
{
    if (heldOpen != nullptr)
        CloseHandle(heldOpen);
}

bool denyReading(const juce::File&)
{
    return false;
}
} // namespace testsupport
