#include "SecondStartHandOver.h"

#include "AppLockProbe.h"
#include "ChannelMessage.h"
#include "InstanceChannel.h"

#include <sys/socket.h>
#include <unistd.h>

namespace
{
// Long enough for the running instance to go from taking its lock to
// listening; short enough that a start never seems to hang.
constexpr int handOverTimeoutMs = 2000;
constexpr int connectRetryMs = 20;

// A socket connected to the listener, or -1 when none takes connections now.
int connectToListener(const sockaddr_un& address)
{
    const auto connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);

    if (connection >= 0 && connect(connection, (const sockaddr*) &address, sizeof(address)) == 0)
        return connection;

    if (connection >= 0)
        close(connection);

    return -1;
}

bool deliver(int connection, const juce::String& commandLine, juce::uint32 deadline)
{
    return peerIsThisUser(connection)
        && sendCommandLine(connection, commandLine, deadline)
        && receiveAcknowledgement(connection, deadline);
}
} // namespace

bool handOverToRunningInstance(const juce::String& applicationName, const juce::String& commandLine)
{
    const auto address = socketAddressOf(findChannelSocket(applicationName));

    if (! address)
        return false;

    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) handOverTimeoutMs;

    while (isAppLockHeldByThisUser(applicationName))
    {
        if (const auto connection = connectToListener(*address); connection >= 0)
        {
            // One attempt only: a second could deliver the command line twice.
            const auto delivered = deliver(connection, commandLine, deadline);
            close(connection);
            return delivered;
        }

        if ((int) (deadline - juce::Time::getMillisecondCounter()) <= 0)
            return false;

        juce::Thread::sleep(connectRetryMs);
    }

    return false;
}
