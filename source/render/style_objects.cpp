#include "style_objects.h"

#include <cstring>

#include "draw_layer.h"
#include "draw_objects.h"
#include "pane_record.h"
#include "pane_style.h"

namespace {

// The objects of one style, in the pane's slot order.
struct StyleObjects {
    HBRUSH brushes[kBrushSlots] = {};
    HPEN pens[kPenSlots] = {};
    HFONT font = nullptr;
};

// Font first, then pens and brushes from the last slot down: the reverse
// of their creation.
void DeleteObjects(HBRUSH *brushes, HPEN *pens, HFONT &font) {
    DeleteDrawObject(font);
    font = nullptr;
    for (int i = kPenSlots - 1; i >= 0; --i) {
        DeleteDrawObject(pens[i]);
        pens[i] = nullptr;
    }
    for (int i = kBrushSlots - 1; i >= 0; --i) {
        DeleteDrawObject(brushes[i]);
        brushes[i] = nullptr;
    }
}

// Plain frame and link pens are drawn in the inverse of the background,
// highlighted ones in the highlight colour.
COLORREF PenColor(int slot, const PaneStyle &s) {
    bool hilite = slot == kHiliteFramePen || slot == kHiliteLinkPen;
    return hilite ? s.colors[kHiliteColor] : s.colors[kBackgroundColor] ^ 0xFFFFFFu;
}

bool MakeObjects(const PaneStyle &s, StyleObjects &made) {
    for (int i = 0; i < kBrushSlots; ++i)
        if (!(made.brushes[i] = NewSolidBrush(s.colors[i]))) return false;
    LOGPEN pen = {};
    pen.lopnStyle = PS_INSIDEFRAME;
    for (int i = 0; i < kPenSlots; ++i) {
        int32_t w = s.penWidths[i];
        if (w == 0) continue; // no pen: the slot stays null
        pen.lopnWidth.x = pen.lopnWidth.y = w;
        pen.lopnColor = PenColor(i, s);
        if (!(made.pens[i] = NewPen(pen))) return false;
    }
    LOGFONTA font;
    static_assert(sizeof font == sizeof s.font, "the style's font is a LOGFONTA");
    std::memcpy(&font, &s.font, sizeof font);
    made.font = NewFont(font);
    return made.font != nullptr;
}

} // namespace

int32_t ApplyStyle(const PaneStyle *style, Pane *pane) {
    const PaneStyle &s = style ? *style : DefaultPaneStyle;
    int32_t status = ValidateStyle(&s);
    if (status != 0) return status;
    StyleObjects made;
    if (!MakeObjects(s, made)) {
        DeleteObjects(made.brushes, made.pens, made.font);
        return E_DRAWOBJ;
    }
    ReleaseStyleObjects(pane);
    InstallStyle(pane, made.brushes, made.pens, made.font, s);
    return 0;
}

void ReleaseStyleObjects(Pane *pane) {
    // The platform does not delete an object still selected into a device
    // context.
    if (pane->hdc) DeselectStyleObjects(pane);
    DeleteObjects(pane->brushes, pane->pens, pane->font);
}
