#pragma once

namespace testsupport
{
// JUCE ignores X errors only inside a JUCEApplication, as the program is;
// without one, Xlib's default handler would end a test at the first request
// that a bare X server refuses (an atom that no window manager has made yet).
// Call before the first window opens.
void ignoreXErrors();
} // namespace testsupport
