#include "InstalledLocales.h"

#include <cstring>

namespace
{
// glibc's locale-archive: a header of 32-bit words in the machine's byte
// order, and a hash table of entries whose name offsets point at
// NUL-terminated names; an entry with no locale record is unused.
constexpr juce::uint32 archiveMagic = 0xde020109;
constexpr size_t archiveHeaderSize = 14 * 4;
constexpr size_t magicAt = 0, nameTableOffsetAt = 8, nameTableSizeAt = 16;
constexpr size_t nameEntrySize = 3 * 4;
constexpr size_t entryNameOffsetAt = 4, entryRecordOffsetAt = 8;

constexpr int maximumNames = 4096;
constexpr int maximumFolderEntries = 4 * maximumNames;
constexpr size_t maximumNameLength = 255;

juce::uint32 wordAt(const char* data, size_t offset)
{
    juce::uint32 word;
    std::memcpy(&word, data + offset, sizeof(word));
    return word;
}

// The name at the offset if it is printable ASCII, NUL-terminated within the
// data and not too long; empty otherwise.
juce::String nameAt(const char* data, size_t size, size_t offset)
{
    for (size_t length = 0; offset + length < size && length <= maximumNameLength; ++length)
    {
        const auto byte = static_cast<unsigned char>(data[offset + length]);

        if (byte == 0)
            return length == 0 ? juce::String() : juce::String(juce::CharPointer_ASCII(data + offset));

        if (byte <= ' ' || byte > '~')
            return {};
    }

    return {};
}

void addArchiveNames(const juce::File& archive, juce::StringArray& names)
{
    const juce::MemoryMappedFile mapped(archive, juce::MemoryMappedFile::readOnly);
    const auto* data = static_cast<const char*>(mapped.getData());
    const auto size = mapped.getSize();

    if (data == nullptr || size < archiveHeaderSize || wordAt(data, magicAt) != archiveMagic)
        return;

    const juce::uint64 tableOffset = wordAt(data, nameTableOffsetAt);
    const juce::uint64 entryCount = wordAt(data, nameTableSizeAt);

    if (tableOffset + entryCount * nameEntrySize > size)
        return;

    for (juce::uint64 i = 0; i < entryCount && names.size() < maximumNames; ++i)
    {
        const auto entry = static_cast<size_t>(tableOffset + i * nameEntrySize);

        if (wordAt(data, entry + entryRecordOffsetAt) == 0)
            continue;

        const auto name = nameAt(data, size, wordAt(data, entry + entryNameOffsetAt));

        if (name.isNotEmpty())
            names.add(name);
    }
}

void addFolderNames(const juce::File& localeFolder, juce::StringArray& names)
{
    juce::StringArray folderNames;
    int visited = 0;

    for (const auto& entry : juce::RangedDirectoryIterator(localeFolder, false, "*",
                                                          juce::File::findDirectories | juce::File::ignoreHiddenFiles))
    {
        if (++visited > maximumFolderEntries)
            break;

        // Some folders hold only translations; a locale has its LC_CTYPE.
        const auto folder = entry.getFile();

        if (folder.getFileName().length() <= static_cast<int>(maximumNameLength)
            && folder.getChildFile("LC_CTYPE").existsAsFile())
            folderNames.add(folder.getFileName());
    }

    folderNames.sort(false);

    for (const auto& name : folderNames)
        if (names.size() < maximumNames)
            names.add(name);
}
} // namespace

juce::StringArray readInstalledLocaleNames(const juce::File& localeFolder)
{
    juce::StringArray names;
    addArchiveNames(localeFolder.getChildFile("locale-archive"), names);
    addFolderNames(localeFolder, names);
    return names;
}
