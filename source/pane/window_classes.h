// The three pane window classes, registered when the library is attached to
// a process and unregistered when it is detached, and the one way from a
// window to its pane.
#pragma once

#include <cstdint>

#include "window_handles.h"

struct Pane;

// Host-created panes with a graph of their own; the second paints its frame.
constexpr const char *kPaneClassName = "BrdPaneClass";
constexpr const char *kFifaClassName = "BrdFifaClass";
// Panes made by NewPane on a host's graph.
constexpr const char *kNewpClassName = "BrdNewpClass";

// Window extra bytes, read and written with the pointer-sized window-word
// calls: two words the library leaves alone, the pane record, the window
// kind word and the host's value. On 64-bit Windows the words holding
// pointers are pointer-sized, so the area is 32 bytes there.
constexpr int kPaneWordPane = 8;
constexpr int kPaneWordKind = kPaneWordPane + int(sizeof(LONG_PTR));
constexpr int kPaneWordHost = kPaneWordKind + int(sizeof(LONG_PTR));
constexpr int kPaneWindowBytes = kPaneWordHost + int(sizeof(LONG_PTR));
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(kPaneWordKind == 12 && kPaneWordHost == 16 && kPaneWindowBytes == 20,
              "window extra bytes");
#endif

// Class style of the three classes: usable from every module of the
// process, double clicks delivered.
constexpr UINT kPaneClassStyle = CS_GLOBALCLASS | CS_DBLCLKS;

// The window procedure of the registered classes as the system reports it;
// null while they are not registered.
extern WNDPROC PaneProc;

// The platform version number passes when the window system is 3.10 or
// later (low byte major, next byte minor).
bool PlatformVersionSupported(DWORD version);

// Registers the three classes for `module`, reading the system font into
// DefaultPaneStyle first; stores 0 or -2 in InitStatus and returns it.
int32_t RegisterClasses(HINSTANCE module);

// Forgets PaneProc and unregisters the three classes, ignoring failures.
void UnregisterClasses(HINSTANCE module);

// Process attach: RegisterClasses. Process detach: after a successful
// attach, InitStatus back to -3 and UnregisterClasses; otherwise nothing.
void PaneProcessAttach(HINSTANCE module);
void PaneProcessDetach(HINSTANCE module);

// The pane of a pane window; null for a null window, a window of another
// class, and a pane window without a pane (being created or destroyed).
Pane *PaneFromWindow(HWND window);

// The window procedure of the three classes.
LRESULT CALLBACK PaneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
