#include "XErrors.h"

// Kept apart from the tests: Xlib's macros clash with JUCE's names.
#include <X11/Xlib.h>

namespace testsupport
{
namespace
{
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}
} // namespace

void ignoreXErrors()
{
    XSetErrorHandler(ignoreXError);
}
} // namespace testsupport
