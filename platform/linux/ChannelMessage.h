#pragma once

// One command line as it travels from a later start to the running instance:
// a four-byte mark, the length as a little-endian 32-bit number, then the
// UTF-8 text; the receiver answers with one byte once it has taken the text.
// Every call is bounded by a deadline (a juce::Time::getMillisecondCounter
// value) and works on the socket without blocking.

#include <juce_core/juce_core.h>

#include <optional>

// A longer command line is neither sent nor accepted.
constexpr int maxCommandLineBytes = 64 * 1024;

// Whether the process at the other end of a connected local socket runs as this user.
bool peerIsThisUser(int socket);

// False when the text is too long or the socket does not take it all by the deadline.
bool sendCommandLine(int socket, const juce::String& commandLine, juce::uint32 deadline);

// None when the message is malformed, too long, not valid UTF-8 or contains a
// zero byte, when it is incomplete at the deadline or the peer closes early,
// or when stopSignal (a descriptor) becomes readable meanwhile.
std::optional<juce::String> receiveCommandLine(int socket, juce::uint32 deadline, int stopSignal);

bool sendAcknowledgement(int socket, juce::uint32 deadline);
bool receiveAcknowledgement(int socket, juce::uint32 deadline);
