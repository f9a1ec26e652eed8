#pragma once

// The one header through which the system reaches Win32 names: the real
// <windows.h> on Windows, our stand-in declarations everywhere else.

#if defined(_WIN32)
 #ifndef NOMINMAX
  #define NOMINMAX
 #endif
 #ifndef WIN32_LEAN_AND_MEAN
  #define WIN32_LEAN_AND_MEAN
 #endif
 #include <windows.h>
#else
 #include "win32-standin/Win32Standin.h"
#endif
