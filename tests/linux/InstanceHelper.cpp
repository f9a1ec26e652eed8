// Plays another process for the single-instance tests:
//   hand-over <application> [command line]   a later start; prints whether it handed over
//   send <socket path> <command line>        a client that skips every check of the folder

#include "ConnectTo.h"

#include "platform/linux/ChannelMessage.h"
#include "platform/linux/SecondStartHandOver.h"

#include <iostream>

namespace
{
constexpr int sendTimeoutSeconds = 5;

bool sendDirectly(const juce::File& socketPath, const juce::String& commandLine)
{
    const auto connection = connectTo(socketPath, sendTimeoutSeconds);

    if (connection < 0)
        return false;

    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) sendTimeoutSeconds * 1000;
    const auto acknowledged = sendCommandLine(connection, commandLine, deadline)
                           && receiveAcknowledgement(connection, deadline);
    close(connection);
    return acknowledged;
}
} // namespace

int main(int argc, char* argv[])
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add(juce::String::fromUTF8(argv[i]));

    // JUCE's ChildProcess drops empty arguments: no command line is the empty one.
    if ((args.size() == 2 || args.size() == 3) && args[0] == "hand-over")
    {
        std::cout << (handOverToRunningInstance(args[1], args[2]) ? "handed over" : "not handed over") << std::endl;
        return 0;
    }

    if (args.size() == 3 && args[0] == "send")
    {
        std::cout << (sendDirectly(juce::File(args[1]), args[2]) ? "acknowledged" : "not acknowledged") << std::endl;
        return 0;
    }

    std::cerr << "unknown arguments" << std::endl;
    return 2;
}
