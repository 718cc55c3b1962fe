// Process attach and detach of the shared library.
#include "pane_calls.h"

#if defined(_WIN32)
// The window classes come with the pane windows; until then a Windows host
// sees the status of a library that is not attached.
#else
__attribute__((constructor)) static void LibraryLoaded() { PaneProcessAttach(); }
__attribute__((destructor)) static void LibraryUnloaded() { PaneProcessDetach(); }
#endif
