#include "ConnectTo.h"
#include "ScopedEnvironment.h"

#include "platform/linux/ChannelMessage.h"
#include "platform/linux/InstanceChannel.h"
#include "platform/linux/SecondStartListener.h"
#include "support/MessageLoop.h"

#include <gtest/gtest.h>

#include <juce_events/juce_events.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
constexpr int helperTimeoutSeconds = 20;
constexpr int helperTimeoutMs = helperTimeoutSeconds * 1000;
constexpr int nobodyId = 65534;

// Stands in for the program's Application: records what later starts hand over.
class RecordingApplication : public juce::JUCEApplicationBase
{
public:
    juce::StringArray received;
    bool allOnMessageThread = true;

    const juce::String getApplicationName() override { return "RecordingApplication"; }
    const juce::String getApplicationVersion() override { return {}; }
    bool moreThanOneInstanceAllowed() override { return false; }
    void initialise(const juce::String&) override {}
    void shutdown() override {}
    void systemRequestedQuit() override {}
    void suspended() override {}
    void resumed() override {}
    void unhandledException(const std::exception*, const juce::String&, int) override {}

    void anotherInstanceStarted(const juce::String& commandLine) override
    {
        received.add(commandLine);
        allOnMessageThread = allOnMessageThread && juce::MessageManager::existsAndIsCurrentThread();
    }
};

juce::File makePrivateFolder()
{
    const auto folder = juce::File::createTempFile("vxq-runtime");
    folder.createDirectory();
    chmod(folder.getFullPathName().toRawUTF8(), 0700);
    return folder;
}

mode_t permissionsOf(const juce::File& file)
{
    struct stat info {};
    lstat(file.getFullPathName().toRawUTF8(), &info);
    return info.st_mode & 07777;
}

// A message as a later start writes it, for tests that spoil it.
juce::MemoryBlock messageFor(const char* text, size_t size)
{
    juce::MemoryOutputStream message;
    message.write("VXQC", 4);
    message.writeInt((int) size);
    message.write(text, size);
    return message.getMemoryBlock();
}

// Writes the bytes as one connection, closes its sending side and tells whether the listener acknowledged.
bool sendRaw(const juce::File& socketPath, const juce::MemoryBlock& bytes)
{
    const auto connection = connectTo(socketPath, helperTimeoutSeconds);
    const auto written = send(connection, bytes.getData(), bytes.getSize(), MSG_NOSIGNAL);
    shutdown(connection, SHUT_WR);
    char answer = 0;
    const auto answered = recv(connection, &answer, 1, 0);
    close(connection);
    return connection >= 0 && written == (ssize_t) bytes.getSize() && answered == 1;
}

// Connects, sends nothing and tells whether the listener closes the connection by itself.
bool isDroppedWhenSilent(const juce::File& socketPath)
{
    const auto connection = connectTo(socketPath, helperTimeoutSeconds);
    char answer = 0;
    const auto dropped = connection >= 0 && recv(connection, &answer, 1, 0) == 0;
    close(connection);
    return dropped;
}

class SecondStart : public testing::Test
{
protected:
    void TearDown() override
    {
        listener.reset();
        lock.reset();
        lockFile().deleteFile();
        runtimeFolder.deleteRecursively();
    }

    // What the running instance holds: JUCE's lock of the application.
    void holdLock()
    {
        lock = std::make_unique<juce::InterProcessLock>("juceAppLock_" + applicationName);
        ASSERT_TRUE(lock->enter(0));
    }

    void startListening()
    {
        listener = std::make_unique<SecondStartListener>(applicationName);
        ASSERT_TRUE(listener->isListening());
    }

    juce::String runHelper(juce::StringArray arguments, bool asNobody = false)
    {
        arguments.insert(0, INSTANCE_HELPER);

        if (asNobody)
        {
            juce::StringArray asOtherUser { "setpriv", "--reuid=" + juce::String(nobodyId),
                                            "--regid=" + juce::String(nobodyId), "--clear-groups" };
            asOtherUser.addArray(arguments);
            arguments = asOtherUser;
        }

        juce::ChildProcess helper;

        if (! helper.start(arguments, juce::ChildProcess::wantStdOut))
            return "helper did not start";

        const auto output = helper.readAllProcessOutput().trim();
        helper.waitForProcessToFinish(helperTimeoutMs);
        return output;
    }

    juce::String handOver(const juce::String& commandLine, bool asNobody = false)
    {
        return runHelper({ "hand-over", applicationName, commandLine }, asNobody);
    }

    bool pumpUntilReceived(const juce::String& commandLine)
    {
        return testsupport::pumpUntil([&] { return application.received.contains(commandLine); });
    }

    // Hands over from another process; the running instance hears it and has heard nothing else.
    void expectHandedOverAlone(const juce::String& commandLine)
    {
        EXPECT_EQ(handOver(commandLine), "handed over");
        EXPECT_TRUE(pumpUntilReceived(commandLine));
        EXPECT_EQ(application.received, juce::StringArray(commandLine));
    }

    juce::File socketFile() const { return runtimeFolder.getChildFile(applicationName + ".socket"); }
    juce::File lockFile() const { return juce::File("/var/tmp").getChildFile("juceAppLock_" + applicationName); }

    inline static int testNumber = 0;
    const juce::String applicationName = "VXQSecondStartTest-" + juce::String(getpid()) + "-" + juce::String(++testNumber);
    const juce::File runtimeFolder = makePrivateFolder();
    const ScopedEnvironment runtimeVariable { "XDG_RUNTIME_DIR", runtimeFolder.getFullPathName() };
    RecordingApplication application;
    std::unique_ptr<juce::InterProcessLock> lock;
    std::unique_ptr<SecondStartListener> listener;
};
} // namespace

TEST_F(SecondStart, ALaterStartHandsItsCommandLineToTheRunningInstanceOnItsMessageThread)
{
    holdLock();
    startListening();

    const auto commandLine = juce::String::fromUTF8("--language 12 \"two words\" \xc3\xa4\xe6\x97\xa5");
    EXPECT_EQ(handOver(commandLine), "handed over");
    EXPECT_EQ(handOver(""), "handed over");

    ASSERT_TRUE(testsupport::pumpUntil([&] { return application.received.size() == 2; }));
    EXPECT_EQ(application.received[0], commandLine);
    EXPECT_EQ(application.received[1], "");
    EXPECT_TRUE(application.allOnMessageThread);

    EXPECT_EQ(permissionsOf(socketFile()), (mode_t) 0600);
}

TEST_F(SecondStart, NothingIsHandedOverWhileNoInstanceHoldsTheLock)
{
    // The lock file stays behind when an instance ends.
    holdLock();
    lock.reset();
    ASSERT_TRUE(lockFile().existsAsFile());
    startListening();
    EXPECT_EQ(handOver("too early"), "not handed over");

    holdLock();
    expectHandedOverAlone("in time");
}

TEST_F(SecondStart, TheSocketLeftByACrashedInstanceIsGivenUpOnThenReplaced)
{
    // What a crashed instance leaves: its lock gone, its socket file there.
    const auto address = socketAddressOf(socketFile());
    const auto crashed = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(crashed, (const sockaddr*) &*address, sizeof(*address)), 0);
    close(crashed);

    // The next instance has taken the lock but does not listen yet.
    holdLock();
    EXPECT_EQ(handOver("too early"), "not handed over");

    startListening();
    expectHandedOverAlone("in time");
}

TEST_F(SecondStart, MalformedOrOversizedMessagesAreIgnoredAndListeningGoesOn)
{
    holdLock();
    startListening();

    ASSERT_TRUE(sendRaw(socketFile(), messageFor("well formed", 11)));

    auto wrongMark = messageFor("wrong mark", 10);
    static_cast<char*>(wrongMark.getData())[0] = 'X';
    EXPECT_FALSE(sendRaw(socketFile(), wrongMark));
    const auto tooLong = juce::String::repeatedString("z", maxCommandLineBytes + 1);
    EXPECT_FALSE(sendRaw(socketFile(), messageFor(tooLong.toRawUTF8(), tooLong.getNumBytesAsUTF8())));
    EXPECT_FALSE(sendRaw(socketFile(), messageFor("bad \xc3 utf-8", 12)));
    EXPECT_FALSE(sendRaw(socketFile(), messageFor("overlong \xc0\xaf", 11)));
    EXPECT_FALSE(sendRaw(socketFile(), messageFor("zero\0byte", 9)));
    auto cutShort = messageFor("cut short", 9);
    cutShort.setSize(cutShort.getSize() - 3);
    EXPECT_FALSE(sendRaw(socketFile(), cutShort));
    EXPECT_FALSE(sendRaw(socketFile(), juce::MemoryBlock("VX", 2)));

    // A start that connects and then says nothing is dropped, not waited for.
    EXPECT_TRUE(isDroppedWhenSilent(socketFile()));

    EXPECT_EQ(handOver(juce::String::repeatedString("x", maxCommandLineBytes + 1)), "not handed over");
    EXPECT_EQ(handOver(juce::String::repeatedString("y", maxCommandLineBytes)), "handed over");

    ASSERT_TRUE(pumpUntilReceived(juce::String::repeatedString("y", maxCommandLineBytes)));
    EXPECT_EQ(application.received.size(), 2);
    EXPECT_EQ(application.received[0], "well formed");
}

TEST_F(SecondStart, AnotherUsersStartNeitherReachesNorDisturbsTheRunningInstance)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "starting as another user needs root";

    // The folder that the other user's start makes for itself.
    const juce::ScopeGuard removeOthersFolder { [this] {
        juce::File::getSpecialLocation(juce::File::tempDirectory)
            .getChildFile(applicationName + "-" + juce::String(nobodyId))
            .deleteRecursively();
    } };
    holdLock();
    startListening();

    // Pointed at this user's folder, the other user's start keeps to its own.
    EXPECT_EQ(handOver("other user", true), "not handed over");

    // Even with the folder and the socket opened to all, the listener checks who connects.
    chmod(runtimeFolder.getFullPathName().toRawUTF8(), 0711);
    chmod(socketFile().getFullPathName().toRawUTF8(), 0666);
    EXPECT_EQ(runHelper({ "send", socketFile().getFullPathName(), "other user directly" }, true), "not acknowledged");
    chmod(runtimeFolder.getFullPathName().toRawUTF8(), 0700);

    expectHandedOverAlone("same user");
}

TEST(ChannelFolder, TheChannelStaysInAFolderThatOnlyThisUserCanEnter)
{
    const auto temp = makePrivateFolder();
    const ScopedEnvironment tempVariable("TMPDIR", temp.getFullPathName());
    const auto ownFolder = temp.getChildFile("VXQChannelTest-" + juce::String(geteuid()));
    const auto runtime = makePrivateFolder();

    {
        const ScopedEnvironment runtimeVariable("XDG_RUNTIME_DIR", runtime.getFullPathName());
        EXPECT_EQ(findChannelSocket("VXQChannelTest"), runtime.getChildFile("VXQChannelTest.socket"));

        // A runtime folder that others can enter is not used: a 0700 folder of one's own is.
        chmod(runtime.getFullPathName().toRawUTF8(), 0755);
        EXPECT_EQ(findChannelSocket("VXQChannelTest"), ownFolder.getChildFile("VXQChannelTest.socket"));
        EXPECT_EQ(permissionsOf(ownFolder), (mode_t) 0700);
    }
    {
        const ScopedEnvironment runtimeVariable("XDG_RUNTIME_DIR", std::nullopt);
        EXPECT_EQ(findChannelSocket("VXQChannelTest"), ownFolder.getChildFile("VXQChannelTest.socket"));

        // Someone opened that folder to others: no channel at all.
        chmod(ownFolder.getFullPathName().toRawUTF8(), 0777);
        EXPECT_EQ(findChannelSocket("VXQChannelTest"), juce::File());
        EXPECT_FALSE(SecondStartListener("VXQChannelTest").isListening());
    }

    runtime.deleteRecursively();
    temp.deleteRecursively();
}
