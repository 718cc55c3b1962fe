#include "window_classes.h"

#include <cstring>

#include "brindle.h"
#include "library.h"
#include "pane_record.h"
#include "pane_style.h"

WNDPROC PaneProc = nullptr;

namespace {

constexpr const char *kClassNames[] = {kPaneClassName, kFifaClassName, kNewpClassName};
constexpr int kClassCount = 3;

// The icon is the library's own; without it the classes still register.
HICON ClassIcon(HINSTANCE module) {
    HICON icon = LoadIconA(module, kPaneClassName);
    return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

// Unregisters classes first..count-1, the later first.
void UnregisterFirst(HINSTANCE module, int count) {
    while (count-- > 0) UnregisterClassA(kClassNames[count], module);
}

bool ReadSystemFont() {
    // The face name is written only up to its end: the rest stays zero, so
    // hosts reading the default style see no stale bytes.
    std::memset(&DefaultPaneStyle.font, 0, sizeof DefaultPaneStyle.font);
    HGDIOBJ font = GetStockObject(SYSTEM_FONT);
    return font && GetObjectA(font, sizeof(LOGFONTA), &DefaultPaneStyle.font) != 0;
}

// Every class must report one and the same procedure, which then tells a
// pane window from any other.
bool LearnPaneProc(HINSTANCE module) {
    WNDPROC first = nullptr;
    for (const char *name : kClassNames) {
        WNDCLASSA reported;
        if (!GetClassInfoA(module, name, &reported) || !reported.lpfnWndProc) return false;
        if (first && reported.lpfnWndProc != first) return false;
        first = reported.lpfnWndProc;
    }
    PaneProc = first;
    return true;
}

int32_t Register(HINSTANCE module) {
    if (!PlatformVersionSupported(GetVersion()) || !ReadSystemFont()) return E_PLATFORM;
    WNDCLASSA wc = {};
    wc.style = kPaneClassStyle;
    wc.lpfnWndProc = PaneWindowProc;
    wc.cbWndExtra = kPaneWindowBytes;
    wc.hInstance = module;
    wc.hIcon = ClassIcon(module);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    for (int i = 0; i < kClassCount; ++i) {
        wc.lpszClassName = kClassNames[i];
        // A class of that name may already be registered for the process,
        // for example by a copy of this library loaded from another path.
        if (!RegisterClassA(&wc)) {
            UnregisterFirst(module, i);
            return E_PLATFORM;
        }
    }
    if (!LearnPaneProc(module)) {
        PaneProc = nullptr;
        UnregisterFirst(module, kClassCount);
        return E_PLATFORM;
    }
    return 0;
}

} // namespace

bool PlatformVersionSupported(DWORD version) {
    unsigned major = version & 0xFF, minor = (version >> 8) & 0xFF;
    return major > 3 || (major == 3 && minor >= 10);
}

int32_t RegisterClasses(HINSTANCE module) {
    InitStatus = Register(module);
    return InitStatus;
}

void UnregisterClasses(HINSTANCE module) {
    PaneProc = nullptr;
    UnregisterFirst(module, kClassCount);
}

void PaneProcessAttach(HINSTANCE module) { RegisterClasses(module); }

void PaneProcessDetach(HINSTANCE module) {
    if (InitStatus != 0) return;
    InitStatus = E_ARG;
    UnregisterClasses(module);
}

Pane *PaneFromWindow(HWND window) {
    if (!window || !PaneProc) return nullptr;
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrA(window, GCLP_WNDPROC)) != PaneProc)
        return nullptr;
    return reinterpret_cast<Pane *>(GetWindowLongPtrA(window, kPaneWordPane));
}
