#include "UnreadableFile.h"

#include <sys/stat.h>
#include <unistd.h>

namespace testsupport
{
UnreadableFile::UnreadableFile(const juce::File& file)
    : made(mkfifo(file.getFullPathName().toRawUTF8(), 0600) == 0)
{
}

UnreadableFile::~UnreadableFile() = default;

bool denyReading(const juce::File& file)
{
    return chmod(file.getFullPathName().toRawUTF8(), 0) == 0 && geteuid() != 0;
}
} // namespace testsupport
