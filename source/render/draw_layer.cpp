#include "draw_layer.h"

#include "pane_record.h"
#include "pane_style.h"

DrawCallCounts DrawCalls = {};

namespace {

void Select(HDC hdc, HGDIOBJ object) {
    ++DrawCalls.selectObject;
    SelectObject(hdc, object);
}

void ForgetSlots(Pane *pane) {
    pane->curBrush = pane->curPen = pane->curFont = pane->curTextColor = kSlotNotCached;
    pane->lineHeight = 0;
}

// The slot's object, or the stock object where there is none.
template <typename Handle>
HGDIOBJ SlotObject(const Handle *slots, int count, int32_t index, int stock) {
    if (index >= 0 && index < count && slots[index]) return slots[index];
    return GetStockObject(stock);
}

} // namespace

int BeginDraw(HDC hdc, Pane *pane) {
    pane->hdc = hdc;
    ForgetSlots(pane);
    if (!hdc) return 0;
    SetBkMode(hdc, TRANSPARENT);
    SelectFont(0, pane);
    return 1;
}

void EndDraw(Pane *pane, int release) {
    if (pane->hdc) {
        DeselectStyleObjects(pane);
        if (release) ReleaseDC(pane->hwnd, pane->hdc);
    }
    pane->hdc = nullptr;
    ForgetSlots(pane);
}

void SelectBrush(int32_t index, Pane *pane) {
    if (index == pane->curBrush) return;
    pane->curBrush = index;
    Select(pane->hdc, SlotObject(pane->brushes, kBrushSlots, index, NULL_BRUSH));
}

void SelectPen(int32_t index, Pane *pane) {
    if (index == pane->curPen) return;
    pane->curPen = index;
    Select(pane->hdc, SlotObject(pane->pens, kPenSlots, index, NULL_PEN));
}

void SelectFont(int32_t index, Pane *pane) {
    if (index == pane->curFont) return;
    pane->curFont = index;
    Select(pane->hdc, SlotObject(&pane->font, 1, index, SYSTEM_FONT));
    TEXTMETRICA metrics;
    ++DrawCalls.textMetrics;
    pane->lineHeight = GetTextMetricsA(pane->hdc, &metrics) ? metrics.tmHeight + 4 : 0;
}

void SelectTextColors(Pane *pane, int32_t index) {
    if (index == pane->curTextColor) return;
    // Only the style's colours can be chosen.
    if (index < 0 || index >= kBrushSlots) return;
    pane->curTextColor = index;
    COLORREF color = pane->style.colors[index];
    ++DrawCalls.setBkColor;
    SetBkColor(pane->hdc, color);
    ++DrawCalls.setTextColor;
    SetTextColor(pane->hdc, color ^ 0xFFFFFFu);
}

void DrawBox(Pane *pane, const PixelRect &rect) {
    int32_t pen = pane->curPen;
    if (pen >= 0 && pen < kPenSlots && pane->pens[pen]) {
        Rectangle(pane->hdc, rect.left, rect.top, rect.right, rect.bottom);
        return;
    }
    HGDIOBJ brush = SlotObject(pane->brushes, kBrushSlots, pane->curBrush, NULL_BRUSH);
    RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    FillRect(pane->hdc, &r, static_cast<HBRUSH>(brush));
}

void DeselectStyleObjects(Pane *pane) {
    // The defaults every new device context starts with.
    if (pane->curBrush >= 0) Select(pane->hdc, GetStockObject(WHITE_BRUSH));
    if (pane->curPen >= 0) Select(pane->hdc, GetStockObject(BLACK_PEN));
    if (pane->curFont >= 0) Select(pane->hdc, GetStockObject(SYSTEM_FONT));
    pane->curBrush = pane->curPen = pane->curFont = kSlotNotCached;
}
