#include "ExecutableImage.h"

namespace
{
// Past this many, an import table is taken as broken rather than read on.
constexpr int maxImportEntries = 100000;
} // namespace

ExecutableImage::ExecutableImage(const juce::File& file)
{
    if (! file.loadFileAsData(bytes) || bytes.getSize() < sizeof(IMAGE_DOS_HEADER))
        return;

    const auto* dos = static_cast<const IMAGE_DOS_HEADER*>(bytes.getData());
    const auto ntOffset = static_cast<size_t>(dos->e_lfanew);

    if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0
        || ntOffset + sizeof(IMAGE_NT_HEADERS64) > bytes.getSize())
        return;

    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(static_cast<const char*>(bytes.getData()) + ntOffset);
    const auto sectionsEnd = ntOffset + offsetof(IMAGE_NT_HEADERS64, OptionalHeader)
                             + nt->FileHeader.SizeOfOptionalHeader
                             + size_t { nt->FileHeader.NumberOfSections } * sizeof(IMAGE_SECTION_HEADER);

    if (nt->Signature == IMAGE_NT_SIGNATURE && nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
        && sectionsEnd <= bytes.getSize())
        headers = nt;
}

template <typename Structure>
const Structure* ExecutableImage::at(DWORD rva) const
{
    const auto* section = IMAGE_FIRST_SECTION(headers);

    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section)
    {
        const auto start = section->VirtualAddress;
        const auto length = juce::jmax(section->Misc.VirtualSize, section->SizeOfRawData);

        if (rva < start || rva - start >= length)
            continue;

        const auto offset = size_t { section->PointerToRawData } + (rva - start);

        if (offset + sizeof(Structure) > bytes.getSize())
            return nullptr;

        return reinterpret_cast<const Structure*>(static_cast<const char*>(bytes.getData()) + offset);
    }

    return nullptr;
}

juce::String ExecutableImage::textAt(DWORD rva) const
{
    const auto* first = at<char>(rva);

    if (first == nullptr)
        return {};

    const auto* end = static_cast<const char*>(bytes.getData()) + bytes.getSize();
    const auto* terminator = std::find(first, end, '\0');
    return terminator != end ? juce::String(first) : juce::String();
}

WORD ExecutableImage::subsystem() const
{
    return isValid() ? headers->OptionalHeader.Subsystem : WORD { 0 };
}

juce::Array<const IMAGE_IMPORT_DESCRIPTOR*> ExecutableImage::importDescriptors() const
{
    juce::Array<const IMAGE_IMPORT_DESCRIPTOR*> descriptors;

    if (! isValid())
        return descriptors;

    auto rva = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;

    for (int i = 0; i < maxImportEntries; ++i, rva += sizeof(IMAGE_IMPORT_DESCRIPTOR))
    {
        const auto* descriptor = at<IMAGE_IMPORT_DESCRIPTOR>(rva);

        if (descriptor == nullptr || descriptor->Name == 0)
            break;

        descriptors.add(descriptor);
    }

    return descriptors;
}

juce::StringArray ExecutableImage::importedLibraries() const
{
    juce::StringArray libraries;

    for (const auto* descriptor : importDescriptors())
        libraries.addIfNotAlreadyThere(textAt(descriptor->Name), true);

    return libraries;
}

juce::StringArray ExecutableImage::namesImportedFrom(const juce::String& library) const
{
    juce::StringArray names;

    for (const auto* descriptor : importDescriptors())
    {
        if (! textAt(descriptor->Name).equalsIgnoreCase(library))
            continue;

        auto thunkRva = descriptor->OriginalFirstThunk != 0 ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;

        for (int i = 0; i < maxImportEntries; ++i, thunkRva += sizeof(IMAGE_THUNK_DATA64))
        {
            const auto* thunk = at<IMAGE_THUNK_DATA64>(thunkRva);

            if (thunk == nullptr || thunk->u1.AddressOfData == 0)
                break;

            if ((thunk->u1.Ordinal & IMAGE_ORDINAL_FLAG64) == 0)
                names.add(textAt(static_cast<DWORD>(thunk->u1.AddressOfData + offsetof(IMAGE_IMPORT_BY_NAME, Name))));
        }
    }

    return names;
}
