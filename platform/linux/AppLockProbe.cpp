#include "AppLockProbe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Where JUCE's inter-process lock keeps its file on Linux.
juce::File juceLockFile(const juce::String& applicationName)
{
    juce::File folder("/var/tmp");

    if (! folder.isDirectory())
        folder = juce::File("/tmp");

    return folder.getChildFile("juceAppLock_" + applicationName);
}

bool runsAsThisUser(pid_t process)
{
    struct stat info {};

    // A holder in another process namespace shows as 0; without /proc nothing can be told.
    if (process <= 0 || stat(("/proc/" + juce::String(process)).toRawUTF8(), &info) != 0)
        return true;

    return info.st_uid == geteuid();
}
} // namespace

bool isAppLockHeldByThisUser(const juce::String& applicationName)
{
    // Not blocking: someone may have put a pipe where the lock file belongs.
    const auto file = open(juceLockFile(applicationName).getFullPathName().toRawUTF8(),
                           O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);

    // No file: no instance has run. Unreadable: another user's, which JUCE cannot lock either.
    if (file < 0)
        return false;

    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;

    const auto asked = fcntl(file, F_GETLK, &lock) == 0;
    close(file);

    return asked && lock.l_type != F_UNLCK && runsAsThisUser(lock.l_pid);
}
