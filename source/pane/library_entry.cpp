// Process attach and detach of the shared library.
#if defined(_WIN32)
#include "window_classes.h"

// The load is never refused: a host learns of a failed start-up only
// through SupportBrd.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) PaneProcessAttach(module);
    else if (reason == DLL_PROCESS_DETACH) PaneProcessDetach(module);
    return TRUE;
}
#else
#include "pane_calls.h"

__attribute__((constructor)) static void LibraryLoaded() { PaneProcessAttach(); }
__attribute__((destructor)) static void LibraryUnloaded() { PaneProcessDetach(); }
#endif
