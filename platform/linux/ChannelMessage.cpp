#include "ChannelMessage.h"

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
constexpr char messageMark[4] = { 'V', 'X', 'Q', 'C' };
constexpr size_t headerSize = sizeof(messageMark) + sizeof(juce::uint32);
constexpr char acknowledgement = 0x06;

// Waits until the socket is ready for the events or has failed; false at the
// deadline or when the stop signal (if any) becomes readable.
bool waitUntilReady(int socket, short events, juce::uint32 deadline, int stopSignal)
{
    for (;;)
    {
        const auto remainingMs = (int) (deadline - juce::Time::getMillisecondCounter());

        if (remainingMs <= 0)
            return false;

        pollfd watched[2] = { { socket, events, 0 }, { stopSignal, POLLIN, 0 } };
        const auto ready = poll(watched, stopSignal >= 0 ? 2 : 1, remainingMs);

        if (ready < 0 && errno == EINTR)
            continue;

        if (ready <= 0 || (stopSignal >= 0 && watched[1].revents != 0))
            return false;

        // An error or a hang-up is reported by the next read or write.
        return true;
    }
}

bool readExactly(int socket, void* buffer, size_t size, juce::uint32 deadline, int stopSignal)
{
    auto* bytes = static_cast<char*>(buffer);

    for (size_t done = 0; done < size;)
    {
        const auto received = recv(socket, bytes + done, size - done, MSG_DONTWAIT);

        if (received > 0)
            done += (size_t) received;
        else if (received == 0)
            return false;
        else if (errno != EINTR
                 && ! ((errno == EAGAIN || errno == EWOULDBLOCK)
                       && waitUntilReady(socket, POLLIN, deadline, stopSignal)))
            return false;
    }

    return true;
}

bool writeAll(int socket, const void* buffer, size_t size, juce::uint32 deadline)
{
    const auto* bytes = static_cast<const char*>(buffer);

    for (size_t done = 0; done < size;)
    {
        // No SIGPIPE when the other end has gone: that is an ordinary failure here.
        const auto sent = send(socket, bytes + done, size - done, MSG_DONTWAIT | MSG_NOSIGNAL);

        if (sent > 0)
            done += (size_t) sent;
        else if (errno != EINTR
                 && ! ((errno == EAGAIN || errno == EWOULDBLOCK)
                       && waitUntilReady(socket, POLLOUT, deadline, -1)))
            return false;
    }

    return true;
}

std::optional<juce::String> decodeText(const char* text, size_t size)
{
    // JUCE's own test keeps the decoder inside the text but lets broken
    // sequences through; only valid UTF-8 without zero bytes comes back from
    // the decoder byte for byte.
    if (! juce::CharPointer_UTF8::isValidString(text, (int) size))
        return std::nullopt;

    const auto decoded = juce::String::fromUTF8(text, (int) size);

    if (decoded.getNumBytesAsUTF8() != size || std::memcmp(decoded.toRawUTF8(), text, size) != 0)
        return std::nullopt;

    return decoded;
}
} // namespace

bool peerIsThisUser(int socket)
{
    ucred peer {};
    socklen_t size = sizeof(peer);

    return getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

bool sendCommandLine(int socket, const juce::String& commandLine, juce::uint32 deadline)
{
    const auto textSize = commandLine.getNumBytesAsUTF8();

    if (textSize > (size_t) maxCommandLineBytes)
        return false;

    juce::MemoryOutputStream message;
    message.write(messageMark, sizeof(messageMark));
    message.writeInt((int) textSize);
    message.write(commandLine.toRawUTF8(), textSize);

    return writeAll(socket, message.getData(), message.getDataSize(), deadline);
}

std::optional<juce::String> receiveCommandLine(int socket, juce::uint32 deadline, int stopSignal)
{
    char header[headerSize];

    if (! readExactly(socket, header, headerSize, deadline, stopSignal)
        || std::memcmp(header, messageMark, sizeof(messageMark)) != 0)
        return std::nullopt;

    const auto textSize = juce::ByteOrder::littleEndianInt(header + sizeof(messageMark));

    if (textSize > (juce::uint32) maxCommandLineBytes)
        return std::nullopt;

    juce::HeapBlock<char> text(textSize + 1, true);

    if (! readExactly(socket, text, textSize, deadline, stopSignal))
        return std::nullopt;

    return decodeText(text, textSize);
}

bool sendAcknowledgement(int socket, juce::uint32 deadline)
{
    return writeAll(socket, &acknowledgement, 1, deadline);
}

bool receiveAcknowledgement(int socket, juce::uint32 deadline)
{
    char answer = 0;
    return readExactly(socket, &answer, 1, deadline, -1) && answer == acknowledgement;
}
