// The library's entry point, run by the loader when an application loads skinkit and again
// when it unloads it. Loading registers the library with the framework as an extension module,
// so its run-time classes become visible to the application; nothing else runs at load time.
//
//   HMODULE skinkit = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
//   ...
//   FreeLibrary(skinkit);
#pragma once

#include "platform/base/module.h"

BOOL SkinkitEntry(HINSTANCE instance, DWORD reason, LPVOID reserved);
