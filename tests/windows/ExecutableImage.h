#pragma once

// Reads what a 64-bit Windows executable file says about itself: its
// subsystem and the DLLs and names it imports. Every offset in the file is
// checked against its size, so any file is safe to read.

#include "platform/win32.h"

#include <juce_core/juce_core.h>

class ExecutableImage
{
public:
    explicit ExecutableImage(const juce::File& file);

    // False for a file that is not a 64-bit Windows executable.
    bool isValid() const { return headers != nullptr; }

    WORD subsystem() const;
    // The DLL names as the file has them, each once, in import order.
    juce::StringArray importedLibraries() const;
    // The names imported from one DLL (compared without case), from however
    // many import entries name it.
    juce::StringArray namesImportedFrom(const juce::String& library) const;

private:
    template <typename Structure>
    const Structure* at(DWORD rva) const;
    juce::String textAt(DWORD rva) const;
    juce::Array<const IMAGE_IMPORT_DESCRIPTOR*> importDescriptors() const;

    juce::MemoryBlock bytes;
    const IMAGE_NT_HEADERS64* headers = nullptr;
};
