// The window procedure shared by the three pane classes. Until panes are
// made with their windows, every message gets the default processing of the
// window's kind.
#include "window_classes.h"

LRESULT CALLBACK PaneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Bit 0 of the kind word marks a multiple-document child, whose default
    // processing differs.
    LONG_PTR kind = GetWindowLongPtrA(window, kPaneWordKind);
    if (kind & 1) return DefMDIChildProcA(window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}
