#pragma once

// Makes the typefaces that the build derives from Debian's fonts known to JUCE
// under the Windows names that the text tables use: "Verdana",
// "Microsoft YaHei", "Microsoft JhengHei", "Malgun Gothic" and "MS PGothic",
// so that every language draws real glyphs on Linux. Call it once at start on
// the message thread; later calls do nothing. Returns whether all five names
// are known.
bool addWindowsTypefaces();
