// The window inspection of the tests, answered by the Win32 stand-in.

#include "WindowInspection.h"

#include "platform/win32-standin/Win32StandinControl.h"

namespace testsupport
{
std::optional<CreatedWindow> findWindow(HWND window)
{
    const auto info = win32standin::findWindow(window);

    if (! info.has_value())
        return std::nullopt;

    return CreatedWindow { info->className, info->title, info->style,
                           info->width, info->height, info->parent, info->visible };
}

bool isClassRegistered(const std::string& className)
{
    return win32standin::isClassRegistered(className);
}

void setWindowCreationFails(bool fails)
{
    win32standin::setWindowCreationFails(fails);
}

bool canLoseModuleHandle()
{
    return true;
}

void setModuleHandleMissing(bool missing)
{
    win32standin::setModuleHandleMissing(missing);
}
} // namespace testsupport
