#pragma once

#include "platform/linux/InstanceChannel.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

// A blocking connection to a local socket, whose reads give up after
// patienceSeconds; -1 when nothing listens there.
inline int connectTo(const juce::File& socketPath, int patienceSeconds)
{
    const auto address = socketAddressOf(socketPath);
    const auto connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval patience { patienceSeconds, 0 };

    if (address && connection >= 0
        && setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof(patience)) == 0
        && connect(connection, (const sockaddr*) &*address, sizeof(*address)) == 0)
        return connection;

    if (connection >= 0)
        close(connection);

    return -1;
}
