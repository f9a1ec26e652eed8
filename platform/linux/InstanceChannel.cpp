#include "InstanceChannel.h"

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr mode_t privateFolderMode = 0700;

// A real folder (not a link to one) owned by this user that nobody else may enter.
bool isPrivateFolder(const juce::File& folder)
{
    struct stat info {};

    return lstat(folder.getFullPathName().toRawUTF8(), &info) == 0
        && S_ISDIR(info.st_mode)
        && info.st_uid == geteuid()
        && (info.st_mode & 077) == 0;
}

juce::File findChannelFolder(const juce::String& applicationName)
{
    const juce::String runtimeFolder(juce::CharPointer_UTF8(std::getenv("XDG_RUNTIME_DIR")));

    if (juce::File::isAbsolutePath(runtimeFolder) && isPrivateFolder(juce::File(runtimeFolder)))
        return juce::File(runtimeFolder);

    const auto ownFolder = juce::File::getSpecialLocation(juce::File::tempDirectory)
                               .getChildFile(applicationName + "-" + juce::String(geteuid()));
    // An existing folder is used only if it passes the same test as a new one.
    mkdir(ownFolder.getFullPathName().toRawUTF8(), privateFolderMode);

    return isPrivateFolder(ownFolder) ? ownFolder : juce::File();
}
} // namespace

juce::File findChannelSocket(const juce::String& applicationName)
{
    const auto folder = findChannelFolder(applicationName);

    if (folder == juce::File())
        return {};

    return folder.getChildFile(applicationName + ".socket");
}

std::optional<sockaddr_un> socketAddressOf(const juce::File& socketPath)
{
    const auto* path = socketPath.getFullPathName().toRawUTF8();
    sockaddr_un address {};

    if (socketPath == juce::File() || std::strlen(path) >= sizeof(address.sun_path))
        return std::nullopt;

    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path);
    return address;
}
