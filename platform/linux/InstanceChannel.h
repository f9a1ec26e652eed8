#pragma once

// Where a later start of the program finds the running instance of the same
// user: a local socket in a folder that only this user can enter.

#include <juce_core/juce_core.h>

#include <optional>

#include <sys/un.h>

// The channel's socket: in $XDG_RUNTIME_DIR when that is a folder private to
// this user, else in a 0700 folder of the user's own in the temp folder, made
// when missing. A non-existent File when neither folder is private to the user
// (for example when another user made the temp folder first), so that no
// command line ever travels through a folder that others can enter.
juce::File findChannelSocket(const juce::String& applicationName);

// The socket address of a path; none when the path does not fit into one.
std::optional<sockaddr_un> socketAddressOf(const juce::File& socketPath);
