#include "WindowsTypefaces.h"

#include <juce_graphics/juce_graphics.h>

namespace
{
constexpr const char* windowsFamilies[] = { "Verdana", "Microsoft YaHei", "Microsoft JhengHei",
                                            "Malgun Gothic", "MS PGothic" };

bool scanWindowsTypefaces()
{
    const juce::File folder(VXQ_WINDOWS_TYPEFACE_FOLDER);

    if (! folder.isDirectory())
        return false;

    juce::Typeface::scanFolderForFonts(folder);
    // A font looked up before the scan holds the default face; look again.
    juce::Typeface::clearTypefaceCache();

    const auto known = juce::Font::findAllTypefaceNames();

    for (auto* family : windowsFamilies)
        if (! known.contains(family))
            return false;

    return true;
}
} // namespace

bool addWindowsTypefaces()
{
    // Scanning twice would list every face twice.
    static const bool added = scanWindowsTypefaces();
    return added;
}
