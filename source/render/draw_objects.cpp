#include "draw_objects.h"

namespace {

uint32_t liveObjects = 0;
uint32_t failCountdown = 0;

// True when this creation is the one a test asked to fail.
bool FailThisOne() {
    if (failCountdown == 0) return false;
    return --failCountdown == 0;
}

template <typename Handle> Handle Counted(Handle object) {
    if (object) ++liveObjects;
    return object;
}

} // namespace

HBRUSH NewSolidBrush(COLORREF color) {
    return FailThisOne() ? nullptr : Counted(CreateSolidBrush(color));
}

HPEN NewPen(const LOGPEN &pen) {
    return FailThisOne() ? nullptr : Counted(CreatePenIndirect(&pen));
}

HFONT NewFont(const LOGFONTA &font) {
    return FailThisOne() ? nullptr : Counted(CreateFontIndirectA(&font));
}

void DeleteDrawObject(HGDIOBJ object) {
    if (object && DeleteObject(object)) --liveObjects;
}

uint32_t DrawObjectLiveCount() { return liveObjects; }

void DrawObjectFailAt(uint32_t nth) { failCountdown = nth; }
