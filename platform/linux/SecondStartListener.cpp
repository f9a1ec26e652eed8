#include "SecondStartListener.h"

#include "ChannelMessage.h"
#include "InstanceChannel.h"

#include <juce_events/juce_events.h>

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// How long one later start may take to hand over its command line.
constexpr int connectionTimeoutMs = 1000;
constexpr int listenBacklog = 8;
constexpr int stopTimeoutMs = 2000;
// After a failure to accept that does not clear by itself (no descriptors left).
constexpr int acceptRetryMs = 100;

void deliverToApplication(const juce::String& commandLine)
{
    juce::MessageManager::callAsync([commandLine] {
        if (auto* application = juce::JUCEApplicationBase::getInstance())
            application->anotherInstanceStarted(commandLine);
    });
}
} // namespace

SecondStartListener::SecondStartListener(const juce::String& applicationName)
    : juce::Thread("SecondStartListener")
{
    if (pipe2(stopPipe, O_CLOEXEC) == 0 && listenAt(findChannelSocket(applicationName)))
        startThread();
}

SecondStartListener::~SecondStartListener()
{
    if (isThreadRunning())
    {
        signalThreadShouldExit();
        [[maybe_unused]] const auto written = write(stopPipe[1], "", 1);
        notify();
        stopThread(stopTimeoutMs);
    }

    removeOwnSocket();

    for (const auto descriptor : { listeningSocket, stopPipe[0], stopPipe[1] })
        if (descriptor >= 0)
            close(descriptor);
}

bool SecondStartListener::isListening() const
{
    return listeningSocket >= 0;
}

bool SecondStartListener::listenAt(const juce::File& path)
{
    const auto address = socketAddressOf(path);

    if (! address)
        return false;

    const auto* pathText = path.getFullPathName().toRawUTF8();
    struct stat info {};

    // This instance holds JUCE's lock, so a socket already there is left by one that crashed.
    if (lstat(pathText, &info) == 0 && S_ISSOCK(info.st_mode))
        unlink(pathText);

    const auto candidate = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);

    if (candidate < 0)
        return false;

    if (bind(candidate, (const sockaddr*) &*address, sizeof(*address)) != 0)
    {
        close(candidate);
        return false;
    }

    socketPath = path;

    if (chmod(pathText, 0600) != 0 || listen(candidate, listenBacklog) != 0 || lstat(pathText, &info) != 0)
    {
        unlink(pathText);
        close(candidate);
        return false;
    }

    socketDevice = info.st_dev;
    socketInode = info.st_ino;
    listeningSocket = candidate;
    return true;
}

void SecondStartListener::removeOwnSocket()
{
    if (! isListening())
        return;

    const auto* pathText = socketPath.getFullPathName().toRawUTF8();
    struct stat info {};

    if (lstat(pathText, &info) == 0 && info.st_dev == socketDevice && info.st_ino == socketInode)
        unlink(pathText);
}

void SecondStartListener::run()
{
    while (! threadShouldExit())
    {
        pollfd watched[2] = { { listeningSocket, POLLIN, 0 }, { stopPipe[0], POLLIN, 0 } };

        if (poll(watched, 2, -1) < 0 && errno != EINTR)
            return;

        if (watched[1].revents != 0)
            return;

        const auto connection = accept4(listeningSocket, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);

        if (connection >= 0)
        {
            serve(connection);
            close(connection);
        }
        else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED)
        {
            wait(acceptRetryMs);
        }
    }
}

void SecondStartListener::serve(int connection)
{
    if (! peerIsThisUser(connection))
        return;

    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) connectionTimeoutMs;
    const auto commandLine = receiveCommandLine(connection, deadline, stopPipe[0]);

    if (! commandLine)
        return;

    deliverToApplication(*commandLine);
    sendAcknowledgement(connection, deadline);
}
