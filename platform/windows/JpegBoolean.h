#pragma once

// Read before JUCE's graphics module when it is built for Windows. libjpeg's
// Windows jconfig.h declares its boolean only while <rpcndr.h> has not been
// read, but JUCE reads <windows.h> (and with it rpcndr.h) first, and then
// includes jpeglib.h inside its own namespace, where it names libjpeg's
// boolean. Declared there as libjpeg's Windows build has it: unsigned char.
namespace juce::jpeglibNamespace
{
typedef unsigned char boolean;
}
