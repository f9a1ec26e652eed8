// Locale services from the POSIX locale: the user's language from the
// environment, the installed locales from the system's locale list. A locale
// name (language[_territory][.codeset][@modifier]) becomes the Windows
// identifier of its language and territory.

#include "InstalledLocales.h"
#include "Win32StandinControl.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

namespace
{
constexpr LANGID englishUnitedStates = 0x0409;
constexpr const char* systemLocaleFolder = "/usr/lib/locale";
constexpr int maximumLocaleNameLength = 255;

// Windows' identifiers for the languages the system carries. An empty
// territory stands for the language alone: its neutral identifier, which also
// serves a territory that Windows has no identifier for. Locales of other
// languages are unknown here, which the system cannot tell from absent ones.
struct KnownLocale
{
    const char* language;
    const char* territory;
    LANGID id;
};

constexpr KnownLocale knownLocales[] = {
    { "en", "", 0x0009 }, { "en", "US", 0x0409 }, { "en", "GB", 0x0809 }, { "en", "AU", 0x0C09 },
    { "en", "CA", 0x1009 }, { "en", "NZ", 0x1409 }, { "en", "IE", 0x1809 }, { "en", "ZA", 0x1C09 },
    { "en", "ZW", 0x3009 }, { "en", "PH", 0x3409 }, { "en", "HK", 0x3C09 }, { "en", "IN", 0x4009 },
    { "en", "SG", 0x4809 },
    { "fr", "", 0x000C }, { "fr", "FR", 0x040C }, { "fr", "BE", 0x080C }, { "fr", "CA", 0x0C0C },
    { "fr", "CH", 0x100C }, { "fr", "LU", 0x140C },
    { "de", "", 0x0007 }, { "de", "DE", 0x0407 }, { "de", "CH", 0x0807 }, { "de", "AT", 0x0C07 },
    { "de", "LU", 0x1007 }, { "de", "LI", 0x1407 },
    { "es", "", 0x000A }, { "es", "MX", 0x080A }, { "es", "ES", 0x0C0A }, { "es", "GT", 0x100A },
    { "es", "CR", 0x140A }, { "es", "PA", 0x180A }, { "es", "DO", 0x1C0A }, { "es", "VE", 0x200A },
    { "es", "CO", 0x240A }, { "es", "PE", 0x280A }, { "es", "AR", 0x2C0A }, { "es", "EC", 0x300A },
    { "es", "CL", 0x340A }, { "es", "UY", 0x380A }, { "es", "PY", 0x3C0A }, { "es", "BO", 0x400A },
    { "es", "SV", 0x440A }, { "es", "HN", 0x480A }, { "es", "NI", 0x4C0A }, { "es", "PR", 0x500A },
    { "es", "US", 0x540A }, { "es", "CU", 0x5C0A },
    { "it", "", 0x0010 }, { "it", "IT", 0x0410 }, { "it", "CH", 0x0810 },
    { "nl", "", 0x0013 }, { "nl", "NL", 0x0413 }, { "nl", "BE", 0x0813 },
    { "ru", "", 0x0019 }, { "ru", "RU", 0x0419 }, { "ru", "MD", 0x0819 },
    { "pt", "", 0x0016 }, { "pt", "BR", 0x0416 }, { "pt", "PT", 0x0816 },
    { "zh", "", 0x0004 }, { "zh", "TW", 0x0404 }, { "zh", "CN", 0x0804 }, { "zh", "HK", 0x0C04 },
    { "zh", "SG", 0x1004 }, { "zh", "MO", 0x1404 },
    { "ko", "", 0x0012 }, { "ko", "KR", 0x0412 },
    { "ja", "", 0x0011 }, { "ja", "JP", 0x0411 },
};

struct LocaleSources
{
    std::mutex mutex;
    std::optional<std::string> userLocaleName;
    std::optional<std::vector<std::string>> installedLocaleNames;
};

LocaleSources& sources()
{
    static LocaleSources instance;
    return instance;
}

std::optional<LANGID> languageIdOf(const juce::String& localeName)
{
    if (localeName.length() > maximumLocaleNameLength
        || ! localeName.containsOnly("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_.@-"))
        return std::nullopt;

    const auto languageAndTerritory = localeName.upToFirstOccurrenceOf(".", false, false)
                                                .upToFirstOccurrenceOf("@", false, false);
    const auto language = languageAndTerritory.upToFirstOccurrenceOf("_", false, false);
    const auto territory = languageAndTerritory.fromFirstOccurrenceOf("_", false, false);

    std::optional<LANGID> languageAlone;

    for (const auto& known : knownLocales)
    {
        if (! language.equalsIgnoreCase(known.language))
            continue;

        if (territory.equalsIgnoreCase(known.territory))
            return known.id;

        if (*known.territory == 0)
            languageAlone = known.id;
    }

    return languageAlone;
}

// The locale that governs messages, by POSIX precedence.
std::string userLocaleNameFromEnvironment()
{
    for (auto* variable : { "LC_ALL", "LC_MESSAGES", "LANG" })
        if (const char* value = std::getenv(variable); value != nullptr && *value != 0)
            return value;

    return {};
}

std::string userLocaleName()
{
    std::lock_guard<std::mutex> guard(sources().mutex);
    return sources().userLocaleName.value_or(userLocaleNameFromEnvironment());
}

juce::StringArray installedLocaleNames()
{
    {
        std::lock_guard<std::mutex> guard(sources().mutex);

        if (sources().installedLocaleNames.has_value())
        {
            juce::StringArray names;

            for (const auto& name : *sources().installedLocaleNames)
                names.add(juce::String(name));

            return names;
        }
    }

    return readInstalledLocaleNames(juce::File(systemLocaleFolder));
}
} // namespace

namespace win32standin
{
void setUserLocaleName(std::optional<std::string> name)
{
    std::lock_guard<std::mutex> guard(sources().mutex);
    sources().userLocaleName = std::move(name);
}

void setInstalledLocaleNames(std::optional<std::vector<std::string>> names)
{
    std::lock_guard<std::mutex> guard(sources().mutex);
    sources().installedLocaleNames = std::move(names);
}
} // namespace win32standin

extern "C" {

LANGID WINAPI GetUserDefaultLangID(void)
{
    return languageIdOf(juce::String(userLocaleName())).value_or(englishUnitedStates);
}

BOOL WINAPI EnumSystemLocalesA(LOCALE_ENUMPROCA callback, DWORD flags)
{
    if (callback == nullptr || flags != LCID_INSTALLED)
        return FALSE;

    // Each identifier once, as Windows lists it, however many codesets and
    // modifiers the system has of one locale.
    std::set<LCID> identifiers;

    for (const auto& name : installedLocaleNames())
        if (const auto id = languageIdOf(name))
            identifiers.insert(*id);

    for (const auto id : identifiers)
    {
        char text[9];
        std::snprintf(text, sizeof(text), "%08X", static_cast<unsigned int>(id));

        if (callback(text) == FALSE)
            break;
    }

    return TRUE;
}

} // extern "C"
