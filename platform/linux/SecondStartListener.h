#pragma once

#include <juce_core/juce_core.h>

#include <sys/types.h>

// What JUCE 7 leaves out on Linux: the running instance hears the later starts
// of the same user. Each command line that a later start hands over (see
// handOverToRunningInstance) reaches
// juce::JUCEApplicationBase::getInstance()->anotherInstanceStarted on the
// message thread. Connections are served on a thread of the listener's own,
// each within a bounded time, so neither a slow nor a malformed start ever
// holds up the message thread; anything malformed or from another user is
// dropped unanswered.
//
// Make it in the instance that holds JUCE's single-instance lock once JUCE's
// check has passed (the application's initialise), and delete it before JUCE
// shuts down (the application's shutdown). A socket left by an instance that
// crashed is replaced.
class SecondStartListener : private juce::Thread
{
public:
    explicit SecondStartListener(const juce::String& applicationName);
    ~SecondStartListener() override;

    // False when the user has no private folder for the channel or the socket
    // could not be made; the program then runs without hearing later starts.
    bool isListening() const;

private:
    void run() override;
    void serve(int connection);
    bool listenAt(const juce::File& path);
    void removeOwnSocket();

    int listeningSocket = -1;
    int stopPipe[2] = { -1, -1 };
    juce::File socketPath;
    // The socket file this listener made, so that it never removes one that replaced it.
    dev_t socketDevice = 0;
    ino_t socketInode = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SecondStartListener)
};
